#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QMediaPlayer;
class QAudioOutput;

namespace carvelle::ui {

// Plays one sound file at a time. Media errors never reach the user: a sound that cannot
// play stays silent.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    void Play(const QString& file);
    void Stop();
    bool IsPlaying() const;

    // Tests hear nothing: every file that would play is handed to the recorder instead.
    static void SetRecorder(std::function<void(const QString&)> recorder);

private:
    std::unique_ptr<QMediaPlayer> player_;
    std::unique_ptr<QAudioOutput> output_;
    bool recordedPlaying_ = false;
};

} // namespace carvelle::ui
