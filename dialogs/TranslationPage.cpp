#include "TranslationPage.h"

#include "platform/Platform.h"
#include "settings/Language.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace dialogs {

namespace {

struct SourceLanguage
{
    const char* file; // base name of the language file, UTF-8
    const char* title; // column title, ANSI
};

constexpr SourceLanguage kSources[kSourceLanguages] = {
    {"Deutsch", "Deutsch"},
    {"English", "English"},
    {"Espa\xC3\xB1ol", "Espa\xF1ol"},
    {"French", "French"},
    {"Italiano", "Italiano"},
};

constexpr const char* kEol = "\r\n";
constexpr const char* kRedCell = "<TD><STRONG><EM><FONT COLOR=#ff0000><CENTER>";
constexpr const char* kRedCellEnd = "</CENTER></FONT></EM></STRONG></TD>";

// Texts come from files anyone may write; the page must stay one table of plain cells whatever they hold.
std::string Escaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string MakeTranslationPage(const TranslationColumns& columns, const std::string& address)
{
    std::string page;
    const auto line = [&page](const std::string& text) { page += text + kEol; };
    // The texts are Windows-1252 bytes; a browser left to guess takes them for UTF-8.
    line("<HTML><HEAD><meta charset=\"windows-1252\"><TITLE>Traduzione programma DIMORO FREE</TITLE></HEAD><BODY>");
    line("<FORM Action = \"mailto:" + address + "\" method = \"POST\" name=\"Nuova Traduzione Dimoro Free\">");
    line("<P>Nome lingua / Name language: <input type=text name=\"Nome Lingua\">");
    line("<P>Nome traduttore / Name translator: <input type=text name=\"Nome Translator\">");
    line(std::string("<BR><BR><TABLE BORDER=1><TBODY><TR>") + kRedCell + "NUM" + kRedCellEnd);
    for (const SourceLanguage& source : kSources)
        line(kRedCell + std::string(source.title) + kRedCellEnd);
    line(kRedCell + std::string("Traduzione") + kRedCellEnd);
    line("</TR>");
    for (int row = 0; row < kTranslationRows; ++row) {
        // Numbered from 1 on the page, while the inputs are named from 0.
        const int entry = TranslationEntry(row);
        line("<TR>" + (kRedCell + std::to_string(entry + 1)) + kRedCellEnd);
        for (const TranslationColumn& column : columns)
            line("<TD>" + Escaped(column[static_cast<std::size_t>(row)]) + "</TD>");
        line("<TD><input type=text name=\"Traduzione" + std::to_string(entry) + "\"></TD></TR>");
    }
    line("</TBODY></TABLE></P><P align=right><INPUT value=\"Invia traduzione per E-Mail\" type=submit></P></FORM>"
         "</BODY></HTML>");
    return page;
}

TranslationColumns ReadTranslationColumns(platform::Platform& os)
{
    TranslationColumns columns;
    for (int i = 0; i < kSourceLanguages; ++i) {
        std::string bytes;
        if (!settings::ReadLanguageFile(os, std::string(kSources[i].file) + ".lng", bytes))
            continue;
        settings::LanguageTexts lines;
        settings::ParseLanguageLines(bytes, lines);
        for (int row = 0; row < kTranslationRows; ++row)
            columns[static_cast<std::size_t>(i)][static_cast<std::size_t>(row)] = lines[TranslationEntry(row)];
    }
    return columns;
}

std::string TranslationPagePath(platform::Platform& os)
{
    std::string folder = os.files().pageFolder;
    if (folder.empty() || folder.back() != os.separator())
        folder += os.separator();
    return folder + "Invia_Traduzione.html";
}

bool WriteTranslationPage(const std::string& path, const std::string& bytes)
{
    // An installed copy writes into the user's cache, which may not have our folder yet.
    platform::MakeFolders(platform::Utf8Path(path).parent_path());
    std::ofstream out(platform::Utf8Path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace dialogs
