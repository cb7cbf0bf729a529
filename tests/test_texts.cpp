#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "fakes/FakePlatform.h"
#include "platform/qt/StatusMessage.h"

using namespace orvex;

namespace {

std::set<std::string> words(const std::string& list) {
    std::istringstream in(list);
    return {std::istream_iterator<std::string>(in), {}};
}

// Calls and fields whose text a person reads.
const std::set<std::string> kShown = words(
    "setText setWindowTitle setToolTip setStatusTip setWhatsThis setPlaceholderText setTitle "
    "setLabelText setHeaderLabels setHorizontalHeaderLabels addAction addMenu addTab setTabText "
    "addItem addItems insertItem setItemText drawText setSpecialValueText setSuffix setPrefix "
    "ShowMessage show information warning critical question QLabel QPushButton QCheckBox "
    "QRadioButton QGroupBox QAction QMenu QToolButton caption tooltip submenu");
// What marks a literal as seen to: translated, or one of the design's fixed texts.
const std::set<std::string> kMarked = {"tr", "translate", "fixedText", "QT_TR_NOOP",
                                       "QT_TRANSLATE_NOOP"};

bool isWord(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Every literal with a letter that is handed to a shown text without tr() or
// fixedText(), as "line: literal". Each open bracket notes whether it is inside
// a shown call and inside a marking one; a brace (a lambda's body) shows nothing.
std::vector<std::string> bareTexts(const std::string& s) {
    std::vector<std::string> found;
    std::vector<std::pair<bool, bool>> open{{false, false}};  // shown, marked
    std::string word;
    bool field = false;  // a ".caption = ..." runs to the next comma or brace
    int line = 1;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\n') ++line;
        if (s.compare(i, 2, "//") == 0) {
            while (i + 1 < s.size() && s[i + 1] != '\n') ++i;
        } else if (s.compare(i, 2, "/*") == 0) {
            for (i += 2; i + 1 < s.size() && s.compare(i, 2, "*/") != 0; ++i) line += s[i] == '\n';
            ++i;
        } else if (c == '"' || c == '\'') {
            const std::size_t start = i;
            while (++i < s.size() && s[i] != c) i += s[i] == '\\';
            const std::string text = s.substr(start, i - start + 1);
            const bool letters = std::any_of(text.begin(), text.end(), [](char l) {
                return std::isalpha(static_cast<unsigned char>(l));
            });
            if (c == '"' && (open.back().first || field) && !open.back().second && letters)
                found.push_back(std::to_string(line) + ": " + text);
            word.clear();
        } else if (isWord(c)) {
            if (i > 0 && std::isspace(static_cast<unsigned char>(s[i - 1]))) word.clear();
            word += c;
        } else if (c == '(' || c == '[' || c == '{') {
            open.emplace_back(c != '{' && (open.back().first || field || kShown.count(word)),
                              open.back().second || kMarked.count(word));
            word.clear();
        } else if (c == ')' || c == ']' || c == '}') {
            if (open.size() > 1) open.pop_back();
            field = field && c != '}';
            word.clear();
        } else if (c == '=' && kShown.count(word)) {
            field = s.compare(i, 2, "==") != 0;
            word.clear();
        } else if (c == ',' || c == ';') {
            field = false;
            word.clear();
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            word.clear();
        }
    }
    return found;
}

}  // namespace

TEST(WindowTexts, ScannerFindsBareTextsAndPassesMarkedOnes) {
    const std::string source = R"(
        setWindowTitle(tr("Results"));         // "ignored"
        box->setText(QStringLiteral("Print")); /* "ignored" */
        auto* b = new QPushButton(
            fixedText("OK"), this);
        ShowMessage(tr("Lap %1").arg("x") + ": ");
        label->setText(QString("  ") + name);
        row = {.caption = "Arc&hive...", .group = 1, .key = "New"};
        row = {.caption = QT_TRANSLATE_NOOP("CommandTable", "&Race")};
        setObjectName("frmResults");
        lbl = new QLabel(
            "Bare",
            this);
    )";
    EXPECT_EQ(bareTexts(source), (std::vector<std::string>{"3: \"Print\"", "6: \"x\"",
                                                           "8: \"Arc&hive...\"", "12: \"Bare\""}));
}

TEST(WindowTexts, EveryTextOfTheWindowsIsTranslatedOrFixed) {
    namespace fs = std::filesystem;
    for (const char* folder : {"ui", "shell", "platform/qt"}) {
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(ORVEX_SOURCE_DIR) / folder)) {
            const auto ext = entry.path().extension();
            if (ext != ".cpp" && ext != ".h") continue;
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            for (const auto& b : bareTexts(text.str()))
                ADD_FAILURE() << fs::relative(entry.path(), ORVEX_SOURCE_DIR).string() << ":" << b
                              << " is shown without tr() or fixedText()";
        }
    }
}

namespace {
// A translator into a made-up language, so the test sees translate() take effect.
class Shouting : public QTranslator {
public:
    QString translate(const char* context, const char* text, const char*, int) const override {
        return QString(context) == "Status" ? QString(text).toUpper() : QString();
    }
    bool isEmpty() const override { return false; }
};
}  // namespace

TEST(StatusMessage, TranslatesFillsEachArgumentOnceAndKeepsSuccessAndCancelSilent) {
    FakePlatform fakes;
    Shouting shouting;
    QCoreApplication::installTranslator(&shouting);
    fakes.pointer.shape = MousePointer::Hourglass;
    EXPECT_TRUE(showStatus(Status::ok()));
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Hourglass);
    EXPECT_FALSE(showStatus(Status::cancelled()));
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_FALSE(showStatus(Status::fail(StatusCode::DiskFull, "File %1 not written (%2)",
                                         {"/tmp/a%2b", "28"}, "No space left")));
    QCoreApplication::removeTranslator(&shouting);
    EXPECT_EQ(fakes.messages.shown, (std::vector<FakeMessageBox::Shown>{
                                        {"FILE /tmp/a%2b NOT WRITTEN (28)\n\nNo space left",
                                         MessageBox::OkOnly | MessageBox::Exclamation, "ORVEX"}}));
}
