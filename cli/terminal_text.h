#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace lumivane::cli {

// True when the stream is a terminal, where a file name's control bytes
// would act instead of showing.
bool IsTerminal(std::FILE* stream);

// The text with every control byte but a tab and a final line end written as
// a C escape, as `ls -b` shows names: \n \r and the like by letter, the
// others in octal (ESC is \033, DEL \177). Every other byte is kept.
std::string EscapeControls(std::string_view text);

// Writes an error or warning line on standard error, escaped on a terminal,
// after all that standard output holds so far: a report comes first.
void PrintErrorLine(std::string_view text);

}  // namespace lumivane::cli
