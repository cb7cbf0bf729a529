#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/BinaryFile.h"
#include "session/Variant.h"

namespace orvex {

// The program's one way to files. An object stands for one file, either one
// key of a section of a settings (INI) file (Mode 0) or a sequence of typed
// items from the start of a binary file (Mode 1). Each operation returns 0
// or the error number and shows nothing: the command that called it decides
// what the user sees (errorMessage gives the text) and owns the pointer.
//
// Binary items, little-endian, without gaps: a text is its 16-bit length and
// that many Windows-1252 bytes; a typed value is its 16-bit type code (2, 3,
// 11) and its 16- or 32-bit value (a boolean is FFFF or 0).
class RWData {
public:
    std::string Path;  // folder, without a trailing separator
    std::string Name;  // base name
    std::string Ext;   // extension, without the point
    std::string Section;
    std::string Index;
    Variant Data;  // the value last read; in settings mode also the value to write
    std::int16_t Mode = 0;
    // Binary writes build a new content that takes the file's place only at
    // File_Commit; closing without it leaves the file as it was.
    bool Replace = false;
    // With Replace: File_Commit never replaces a file, it fails with 58 when
    // the name was taken meanwhile.
    bool KeepExisting = false;

    RWData() = default;
    ~RWData();
    RWData(const RWData&) = delete;
    RWData& operator=(const RWData&) = delete;

    // Closes the binary file; an uncommitted replacement is dropped.
    void File_Close();
    std::uint8_t File_Delete();
    // A text Dato reads a text item, anything else a typed item. 0 = read,
    // 1 = settings key not present, else the error number.
    std::int16_t Data_Read(const Variant& Dato = Variant{});
    std::int16_t Data_Write(const Variant& Dato = Variant{});
    std::int16_t Path_Check();
    // Splits a full name at the last separator and the last point.
    void FileName(const std::string& NomeFile);
    // Ends a binary write: what was written becomes the file, which closes.
    std::int16_t File_Commit();

    // How the last binary read met the end of the file: not at all, at its
    // very start (nothing was left to read), or inside the item (a cut).
    // Past the end a number reads as zero, so only this tells a cut file.
    enum class End { No, AtStart, Inside };
    End LastEnd = End::No;
    // Binary mode: up to `n` of the next bytes, as they are, without reading
    // past them. 0 or the error number.
    std::int16_t Data_Peek(std::size_t n, std::string& bytes);

    // The message shown for an error number, `full` being the file's name.
    static std::string errorMessage(int number, const std::string& full);
    // The message for a number this object returned.
    std::string errorMessage(int number) const { return errorMessage(number, fullName_); }

private:
    std::string composeFullName();
    bool openFile(int& error);
    int readItem(const Variant& dato);
    int writeItem(const Variant& dato);
    int readBytes(char* data, std::size_t n, std::size_t& got);
    std::int16_t fail(int number);

    std::string fullName_;
    // The name FileName split had a point before its extension.
    bool dotted_ = true;
    std::unique_ptr<BinaryFile> file_;
    // Bytes peeked at and not read yet.
    std::string peeked_;
};

}  // namespace orvex
