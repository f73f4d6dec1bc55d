#pragma once
// Why a questionnaire could not be opened, as the window shows it: in
// Russian, in the program's own words for the common causes, with the
// reader's English detail where it says which row or which byte is wrong.
// The command-line tool keeps the English message.

#include <string>

namespace lk63 {

class TOrderError;

// "Не удаётся открыть файл «/home/u/a.pdf»: такого файла нет."
std::string WindowOrderErrorText(const TOrderError& error, const std::string& path);

}  // namespace lk63
