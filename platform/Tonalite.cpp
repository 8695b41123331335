#include "platform/Tonalite.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

namespace vuv {
namespace {

// Samples of one channel, repeated on every channel of the frame.
QByteArray sinusoide(const QAudioFormat& f, int frequence_hz, int duree_ms) {
    const int frames = static_cast<int>(static_cast<long long>(f.sampleRate()) * duree_ms / 1000);
    const int canaux = f.channelCount();
    QByteArray donnees(static_cast<qsizetype>(frames) * f.bytesPerFrame(), '\0');
    char* p = donnees.data();
    const double pas = 2.0 * std::numbers::pi * frequence_hz / f.sampleRate();
    for (int i = 0; i < frames; ++i) {
        // A 5 ms fade at both ends avoids clicks.
        const double bord = std::min(1.0, std::min(i, frames - 1 - i) / (f.sampleRate() * 0.005));
        const double v = 0.5 * bord * std::sin(pas * i);
        for (int c = 0; c < canaux; ++c) {
            switch (f.sampleFormat()) {
            case QAudioFormat::UInt8: {
                const auto s = static_cast<std::uint8_t>(128 + std::lround(v * 127));
                std::memcpy(p, &s, sizeof s);
                p += sizeof s;
                break;
            }
            case QAudioFormat::Int16: {
                const auto s = static_cast<std::int16_t>(std::lround(v * 32767));
                std::memcpy(p, &s, sizeof s);
                p += sizeof s;
                break;
            }
            case QAudioFormat::Int32: {
                const auto s = static_cast<std::int32_t>(std::lround(v * 2147483647.0));
                std::memcpy(p, &s, sizeof s);
                p += sizeof s;
                break;
            }
            case QAudioFormat::Float: {
                const auto s = static_cast<float>(v);
                std::memcpy(p, &s, sizeof s);
                p += sizeof s;
                break;
            }
            default:
                return {};
            }
        }
    }
    return donnees;
}

} // namespace

void bip_systeme() { QApplication::beep(); }

IssueTon joue_ton(int frequence_hz, int duree_ms) {
    return joue_ton(frequence_hz, duree_ms, QMediaDevices::defaultAudioOutput());
}

IssueTon joue_ton(int frequence_hz, int duree_ms, const QAudioDevice& sortie) {
    if (frequence_hz <= 0 || duree_ms <= 0) return IssueTon::rien;
    if (sortie.isNull()) {
        bip_systeme();
        return IssueTon::bip;
    }
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!sortie.isFormatSupported(format)) format = sortie.preferredFormat();

    const QByteArray donnees = sinusoide(format, frequence_hz, duree_ms);
    if (donnees.isEmpty()) {
        bip_systeme();
        return IssueTon::bip;
    }
    // The sink owns its buffer and deletes itself once the sound has played.
    auto* sink = new QAudioSink(sortie, format, qApp);
    auto* tampon = new QBuffer(sink);
    tampon->setData(donnees);
    tampon->open(QIODevice::ReadOnly);
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State etat) {
        if (etat == QAudio::IdleState || etat == QAudio::StoppedState) {
            sink->disconnect();
            sink->stop();
            sink->deleteLater();
        }
    });
    sink->start(tampon);
    if (sink->error() != QAudio::NoError) {
        sink->disconnect();
        sink->deleteLater();
        bip_systeme();
        return IssueTon::bip;
    }
    return IssueTon::son;
}

} // namespace vuv
