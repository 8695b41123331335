#pragma once
// Tones and beeps. A tone plays through the default audio output; without one (servers,
// containers, muted systems) the system beep stands in. Neither ever reports an error.

class QAudioDevice;

namespace vuv {

// What a tone call did; what tests observe, since no sound can be heard there.
enum class IssueTon { rien, son, bip };

// A sine of the given frequency and duration; returns at once, the sound plays on. Nothing
// for a zero or negative frequency or duration.
IssueTon joue_ton(int frequence_hz, int duree_ms);
// The same on a given output; a null device is "no audio device".
IssueTon joue_ton(int frequence_hz, int duree_ms, const QAudioDevice& sortie);

// The default system sound.
void bip_systeme();

} // namespace vuv
