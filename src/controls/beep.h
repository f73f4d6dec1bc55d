#pragma once
// The platform's default beep goes through one replaceable hook, so that tests
// can count beeps instead of listening for them.

namespace lk63 {

using TBeepHook = void (*)();

void Beep();
// Installs `hook` (nullptr restores the platform beep); returns the previous one.
TBeepHook SetBeepHook(TBeepHook hook);

}  // namespace lk63
