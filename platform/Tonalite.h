#pragma once
// Tones and beeps. A tone plays through the default audio output; without one (servers,
// containers, muted systems) the system beep stands in. Neither ever reports an error.

namespace vuv {

// A sine of the given frequency and duration; returns at once, the sound plays on.
void joue_ton(int frequence_hz, int duree_ms);

// The default system sound.
void bip_systeme();

} // namespace vuv
