#include "controls/beep.h"

#include <QApplication>

namespace lk63 {
namespace {

void PlatformBeep() { QApplication::beep(); }
TBeepHook g_beep = &PlatformBeep;

}  // namespace

void Beep() { g_beep(); }

TBeepHook SetBeepHook(TBeepHook hook) {
    TBeepHook previous = g_beep;
    g_beep = hook ? hook : &PlatformBeep;
    return previous;
}

}  // namespace lk63
