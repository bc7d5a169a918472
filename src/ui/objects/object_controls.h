#pragma once

#include "objects/object_record.h"

#include <QImage>
#include <QLabel>
#include <QWidget>

#include <string>

namespace carvelle::ui {

// A picture with normal, over and pressed looks; checked keeps the pressed look.
class ImageControl final : public QWidget {
    Q_OBJECT
public:
    ImageControl(const kinds::Image& image, QWidget* parent);
    void SetHover(bool hover);
    void SetPressed(bool pressed);
    void SetChecked(bool checked);
    bool Checked() const { return checked_; }
    // Which picture shows: 0 normal, 1 over, 2 pressed.
    int Shown() const { return shown_; }
    void LoadPictureFile(const QString& file);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Choose();

    QImage normal_;
    QImage over_;
    QImage down_;
    bool center_;
    bool stretch_;
    bool hover_ = false;
    bool pressed_ = false;
    bool checked_ = false;
    int shown_ = -1;
};

// A plain text with normal, hot and pressed looks.
class SimpleTextControl final : public QLabel {
    Q_OBJECT
public:
    SimpleTextControl(const kinds::SimpleText& text, QWidget* parent);
    enum class Look { Normal, Hot, Down };
    void SetLook(Look look);
    void SetChecked(bool checked);
    bool Checked() const { return checked_; }
    Look CurrentLook() const { return look_; }

private:
    kinds::SimpleText model_;
    Look look_ = Look::Normal;
    bool checked_ = false;
};

// Builds the control of an object at its bounds. `played` is false while the designer edits
// the page: then nothing loads web content or media.
QWidget* CreateObjectControl(const TAutoObject& object, const std::string& projectFolder,
                             bool played, QWidget* parent);

} // namespace carvelle::ui
