#include "pdf/export_progress.h"

namespace lk63 {

std::string ExportPageMessage(int number) { return "Экспорт страницы " + std::to_string(number); }

}  // namespace lk63
