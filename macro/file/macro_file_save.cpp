#include <cstdio>

#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"

namespace {

constexpr const char* CRLF = "\r\n";

std::string Format(const char* format, auto... values) {
    int length = std::snprintf(nullptr, 0, format, values...);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, values...);
    return text;
}

// Carriage returns are dropped; a line feed becomes CR LF when a carriage return preceded it.
void AppendCode(std::string& out, std::string_view code) {
    for (std::size_t i = 0; i < code.size(); ++i) {
        char byte = code[i];
        if (byte == '\r') continue;
        if (byte == '\n' && i > 0 && code[i - 1] == '\r') out += '\r';
        out += byte;
    }
}

}  // namespace

std::string FormatMacroFile(std::string_view codeText, const Macro& macro) {
    std::string out;
    out += Format("//File created by Keyloom v1%s%s", CRLF, CRLF);
    out += Format("//Macro properties (Editing could cause corruption!)%s", CRLF);
    out += Format("NAME \"%s\";%s", std::string(FieldText(macro.name)).c_str(), CRLF);
    out += Format("DESCRIPTION \"%s\";%s", std::string(FieldText(macro.description)).c_str(), CRLF);
    out += Format("TRIGGER_KEYS %d %d %d %d%s", static_cast<int>(macro.trigger.virtualKey),
                  macro.trigger.shift, macro.trigger.control, macro.trigger.alt, CRLF);
    out += Format(macro.active ? "ACTIVE TRUE;%s" : "ACTIVE FALSE;%s", CRLF);
    out += Format(macro.isPrivate ? "PRIVATE TRUE;%s" : "PRIVATE FALSE;%s", CRLF);
    out += Format("WINDOW %s;%s", std::string(FieldText(macro.window)).c_str(), CRLF);
    out += Format("PLAY_COUNT %d;%s", macro.playCount, CRLF);
    out += Format("REPEAT_TIME %d;%s", macro.repeatTime, CRLF);
    out += Format("PLAY_STYLE %d;%s", macro.playStyle, CRLF);
    out += Format("SPEED %d;%s", macro.speed, CRLF);
    out += Format("%s//Main macro code (editing could cause corruption!):%s", CRLF, CRLF);
    out += Format("START%s", CRLF);
    AppendCode(out, codeText);
    out += Format("%sEND%s", CRLF, CRLF);
    return out;
}

bool SaveMacroFile(FileSystem& files, std::string_view codeText, const Macro& macro) {
    return SaveFileAtomically(files, std::string(FieldText(macro.fileName)),
                              FormatMacroFile(codeText, macro));
}
