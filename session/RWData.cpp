#include "session/RWData.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/PrivateProfile.h"
#include "platform/ProgramFolder.h"
#include "platform/RunError.h"
#include "session/AnsiText.h"

namespace orvex {

namespace {

constexpr std::int16_t kEmptyCode = 0;
constexpr std::int16_t kIntegerCode = 2;
constexpr std::int16_t kLongCode = 3;
constexpr std::int16_t kBooleanCode = 11;

// What a settings read returns for a missing key. A key whose value is
// this very text reads as missing too, as it always has.
const char* const kNotUsed = "Not Used";
// The settings read has room for 254 characters and the terminator.
constexpr int kSettingsRoom = 255;

char separator() { return platform().folder ? platform().folder->separator() : '/'; }

std::int32_t little(const unsigned char* p, int bytes) {
    std::uint32_t v = 0;
    for (int k = bytes - 1; k >= 0; --k) v = (v << 8) | p[k];
    return bytes == 2 ? static_cast<std::int16_t>(v) : static_cast<std::int32_t>(v);
}

void putLittle(std::string& out, std::int64_t v, int bytes) {
    for (int k = 0; k < bytes; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

}  // namespace

RWData::~RWData() { File_Close(); }

void RWData::File_Close() {
    file_.reset();
    peeked_.clear();
}

void RWData::FileName(const std::string& NomeFile) {
    const auto sep = NomeFile.rfind(separator());
    std::string last = NomeFile;
    if (sep != std::string::npos) {
        Path = NomeFile.substr(0, sep);
        last = NomeFile.substr(sep + 1);
    }
    const auto dot = last.rfind('.');
    dotted_ = dot != std::string::npos;
    if (dotted_) Ext = last.substr(dot + 1);
    if (sep != std::string::npos) Name = dot == std::string::npos ? last : last.substr(0, dot);
}

std::string RWData::composeFullName() {
    // A name given without an extension stays without one.
    fullName_ = Path + separator() + Name + (Ext.empty() && !dotted_ ? "" : "." + Ext);
    return fullName_;
}

std::string RWData::errorMessage(int number, const std::string& full) {
    const std::string FULL = upperCase(full) + "\n";
    switch (number) {
        case ErrorNo::InvalidCall:
            return FULL + "Errore : " + "Argomento non valido nella chiamata di routine";
        case ErrorNo::Overflow:
            return FULL + "Errore : " + "Overflow";
        case ErrorNo::BadFileName:
        case ErrorNo::BadFileNumber:
            return FULL + "Errore : " + "Nome o numero file non valido";
        case ErrorNo::FileNotFound:
            return FULL + "Errore : " + "Impossibile trovare il file";
        case ErrorNo::FileAlreadyOpen:
            return FULL + "Errore : " + "File giá aperto";
        case ErrorNo::DeviceIO:
            return "Errore di I/O periferica";
        case ErrorNo::DiskFull:
            return "Errore : Disco pieno";
        case ErrorNo::DeviceUnavailable:
            return "Errore : Periferica non disponibile";
        case ErrorNo::PermissionDenied:
            return "Errore : Permesso negato";
        case ErrorNo::DiskNotReady:
            return "Errore : Disco non pronto";
        case ErrorNo::PathFileAccess:
            return FULL + "Errore di accesso al percorso/file" + "\n" +
                   "(Nome file non specificato o percorso non trovato)";
        case ErrorNo::PathNotFound:
            return FULL + "Errore : " + "Percorso non trovato";
        default:
            return "Errore n. " + numberText(number);
    }
}

std::int16_t RWData::fail(int number) {
    File_Close();
    return static_cast<std::int16_t>(number);
}

bool RWData::openFile(int& error) {
    error = 0;
    if (file_) return true;
    FileSystem& files = *platform().files;
    file_ = !Replace       ? files.open(fullName_, error)
            : KeepExisting ? files.create(fullName_, error)
                           : files.replace(fullName_, error);
    return file_ != nullptr;
}

std::int16_t RWData::Data_Read(const Variant& Dato) {
    if (Mode != 0 && Mode != 1) return 0;
    if (Name.empty()) return fail(ErrorNo::PathFileAccess);
    composeFullName();
    if (!file_ && !platform().files->fileExists(fullName_)) return fail(ErrorNo::FileNotFound);
    if (Mode == 0) {
        const std::string text = PrivateProfile(*platform().files)
                                     .read(fullName_, Section, Index, kNotUsed, kSettingsRoom);
        if (text == kNotUsed) {
            Data = std::string();
            return 1;
        }
        Data = text;
        return 0;
    }
    int error = 0;
    if (!openFile(error)) return fail(error);
    error = readItem(Dato);
    return error ? fail(error) : 0;
}

std::int16_t RWData::Data_Peek(std::size_t n, std::string& bytes) {
    bytes.clear();
    if (Mode != 1) return 0;
    if (Name.empty()) return fail(ErrorNo::PathFileAccess);
    composeFullName();
    if (!file_ && !platform().files->fileExists(fullName_)) return fail(ErrorNo::FileNotFound);
    int error = 0;
    if (!openFile(error)) return fail(error);
    std::string more(n - std::min(n, peeked_.size()), '\0');
    std::size_t got = 0;
    while (got < more.size()) {
        std::size_t part = 0;
        if ((error = file_->read(more.data() + got, more.size() - got, part))) return fail(error);
        if (part == 0) break;
        got += part;
    }
    peeked_ += more.substr(0, got);
    bytes = peeked_.substr(0, n);
    return 0;
}

std::int16_t RWData::Data_Write(const Variant& Dato) {
    if (Mode != 0 && Mode != 1) return 0;
    if (Name.empty()) return fail(ErrorNo::PathFileAccess);
    composeFullName();
    if (Mode == 0) {
        // As with the settings calls it stands for, a failed write goes unreported.
        PrivateProfile(*platform().files).write(fullName_, Section, Index, toText(Data));
        return 0;
    }
    int error = 0;
    if (!openFile(error)) return fail(error);
    error = writeItem(Dato);
    return error ? fail(error) : 0;
}

int RWData::readBytes(char* data, std::size_t n, std::size_t& got) {
    got = std::min(n, peeked_.size());
    peeked_.copy(data, got);
    peeked_.erase(0, got);
    while (got < n) {
        std::size_t part = 0;
        const int error = file_->read(data + got, n - got, part);
        if (error) return error;
        if (part == 0) break;
        got += part;
    }
    return 0;
}

// Past the end of the file a number reads as zero: a missing length is an
// empty text and a missing typed item is empty. Only the characters of a
// text must all be there.
int RWData::readItem(const Variant& dato) {
    unsigned char head[2] = {0, 0};
    std::size_t got = 0;
    LastEnd = End::No;
    if (int e = readBytes(reinterpret_cast<char*>(head), 2, got)) return e;
    if (got < 2) LastEnd = got == 0 ? End::AtStart : End::Inside;
    const std::int32_t first = little(head, 2);
    if (isText(dato)) {
        if (first < 0) return ErrorNo::InvalidCall;
        std::string bytes(static_cast<std::size_t>(first), '\0');
        if (int e = readBytes(bytes.data(), bytes.size(), got)) return e;
        if (got < bytes.size()) return ErrorNo::InputPastEnd;
        Data = fromAnsi(bytes);
        return 0;
    }
    unsigned char value[4] = {0, 0, 0, 0};
    const auto readValue = [&](std::size_t n) {
        const int e = readBytes(reinterpret_cast<char*>(value), n, got);
        if (got < n) LastEnd = End::Inside;
        return e;
    };
    switch (first) {
        case kEmptyCode:
            Data = std::monostate{};
            return 0;
        case kIntegerCode:
            if (int e = readValue(2)) return e;
            Data = static_cast<std::int16_t>(little(value, 2));
            return 0;
        case kLongCode:
            if (int e = readValue(4)) return e;
            Data = little(value, 4);
            return 0;
        case kBooleanCode:
            if (int e = readValue(2)) return e;
            Data = Boolean{little(value, 2) != 0};
            return 0;
        default:
            // No other type is ever written: the file is damaged.
            return ErrorNo::InvalidCall;
    }
}

int RWData::writeItem(const Variant& dato) {
    std::string out;
    if (const auto* text = std::get_if<std::string>(&dato)) {
        const std::string bytes = toAnsi(*text);
        if (bytes.size() > 32767) return ErrorNo::Overflow;
        putLittle(out, static_cast<std::int64_t>(bytes.size()), 2);
        out += bytes;
    } else if (const auto* i = std::get_if<std::int16_t>(&dato)) {
        putLittle(out, kIntegerCode, 2);
        putLittle(out, *i, 2);
    } else if (const auto* l = std::get_if<std::int32_t>(&dato)) {
        putLittle(out, kLongCode, 2);
        putLittle(out, *l, 4);
    } else if (const auto* b = std::get_if<Boolean>(&dato)) {
        putLittle(out, kBooleanCode, 2);
        putLittle(out, b->value ? -1 : 0, 2);
    } else {
        putLittle(out, kEmptyCode, 2);
    }
    return file_->write(out.data(), out.size());
}

std::uint8_t RWData::File_Delete() {
    if (Name.empty()) return static_cast<std::uint8_t>(fail(ErrorNo::PathFileAccess));
    composeFullName();
    if (!platform().files->fileExists(fullName_))
        return static_cast<std::uint8_t>(fail(ErrorNo::FileNotFound));
    if (const int error = platform().files->remove(fullName_))
        return static_cast<std::uint8_t>(fail(error));
    return 0;
}

std::int16_t RWData::Path_Check() {
    if (platform().files->folderExists(Path)) return 0;
    return fail(ErrorNo::FileNotFound);
}

std::int16_t RWData::File_Commit() {
    if (!file_) return 0;
    const int error = file_->commit();
    if (error) return fail(error);
    File_Close();
    return 0;
}

}  // namespace orvex
