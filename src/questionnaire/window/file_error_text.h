#pragma once
// A file error as the window shows it: in Russian, in the program's own words
// for the common causes, with the system's text (in the process's language)
// for the rest. The command-line tool keeps the English message.

#include <string>

namespace lk63 {

namespace platform {
class TFileError;
}

// "Не удаётся создать файл «/home/u/a.pdf»: нет прав на запись."
std::string WindowFileErrorText(const platform::TFileError& error);

}  // namespace lk63
