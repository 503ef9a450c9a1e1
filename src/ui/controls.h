#pragma once

#include "ui/field.h"
#include "ui/language.h"
#include "ui/picture.h"
#include "ui/twips.h"

#include <QString>
#include <cstdint>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QCheckBox;
class QSlider;
class QProgressBar;

namespace ui {

// A field with a caption: a frame, a label, a button. The widget shows the
// caption, but a desktop may rewrite a widget's text (some insert "&"
// accelerator marks into the labels and buttons of every program), and play
// must not depend on that: caption() reads back what the game wrote.
//
// A caption is a designed text: the widget shows it in the language the
// player chose, while caption() still reads the game's own words. A field
// that shows what a player wrote (a name, a typed score) is told so with
// showPlayerText(), and then shows its caption exactly as it is.
template <class Base>
class Captioned : public Base, public Translated {
public:
    const QString& caption() const { return this->readKept(caption_); }
    void setCaption(const QString& caption)
    {
        this->setKept(caption_, caption, "caption", [&] { showCaption(shown()); });
    }
    // From now on the caption is a player's text, shown untranslated.
    void showPlayerText()
    {
        kind_ = TextKind::Player;
        showCaption(caption_);
    }
    TextKind textKind() const { return kind_; }

protected:
    // `widget` already shows `caption` in the language shown (shownText).
    Captioned(Container& container, QWidget* widget, const QString& caption, const Rect& rect, bool visible)
        : Base(container, widget, rect, visible)
        , caption_(caption)
    {
    }
    // Puts a new caption on the widget, as the player reads it.
    virtual void showCaption(const QString& shown) = 0;
    void showInLanguage() override
    {
        showCaption(shown());
        this->showAccessibleName();
    }

private:
    QString shown() const { return kind_ == TextKind::Designed ? shownText(caption_) : caption_; }
    QString caption_;
    TextKind kind_ = TextKind::Designed;
};

// A frame: a container with a caption and an optional border. Hiding or
// disabling it hides or disables everything in it; moving it moves them.
// A bordered frame shows its caption as its title; a borderless one shows
// none, and its widget keeps the caption as its accessible name.
class Frame : public Captioned<ContainerField> {
public:
    enum class Border { Line, None };
    Frame(Container& container, const QString& caption, const Rect& rect, bool visible = true,
          Border border = Border::Line);
    // Fixed when the frame is made.
    Border border() const { return border_; }

private:
    void showCaption(const QString& shown) override;
    Border border_;
};

// A field that draws a picture at its top-left corner, unscaled: a picture
// surface or a sprite. With autosize it takes the size of each picture it is
// given.
template <class Base>
class Pictured : public Base {
public:
    const Picture& picture() const { return this->readKept(picture_); }
    void setPicture(const Picture& picture);
    // Whether it takes the size of each picture it is given; fixed when made.
    bool autoSize() const { return autosize_; }

protected:
    // `fillBackground`: the field covers what lies behind it where its
    // picture leaves room.
    Pictured(Container& container, const Rect& rect, bool visible, bool autosize, bool fillBackground);

private:
    Picture picture_;
    bool autosize_;
};

// Built once, in controls.cpp, for the two kinds there are.
extern template class Pictured<ContainerField>;
extern template class Pictured<Field>;

// A picture surface: a container that draws a picture; with autosize it takes
// the size of the picture it is given.
class PictureBox : public Pictured<ContainerField> {
public:
    PictureBox(Container& container, const Rect& rect, bool visible = true, bool autosize = true);
};

// An image sprite: a picture at a position; it takes the size of the picture
// it is given.
class Sprite : public Pictured<Field> {
public:
    Sprite(Container& container, const Rect& rect, bool visible = true);
    // Loads a picture file. A missing or unreadable file is reported in a
    // message that names it; the sprite keeps the picture it showed.
    bool loadPictureFile(const QString& path);
};

class Label : public Captioned<Field> {
public:
    // The face the game gave the label: no point size means the
    // application's own font, never set.
    struct Font {
        QString family;
        int pointSize = 0;
        bool bold = false;
        bool operator==(const Font&) const = default;
    };
    Label(Container& container, const QString& caption, const Rect& rect, bool visible = true);
    // The colour the label's text is drawn in.
    Colour foreColour() const;
    void setForeColour(Colour colour);
    void setFont(const QString& family, int pointSize, bool bold = false);
    const Font& font() const { return readKept(font_); }

private:
    void showCaption(const QString& shown) override;
    QLabel* label_;
    Font font_;
};

// A text field, editable or read-only. Its change event fires whenever its
// text changes, by the player or by the game.
class TextField : public Field {
public:
    enum class Mode { Editable, ReadOnly };
    TextField(Container& container, const QString& text, const Rect& rect, bool visible = true,
              Mode mode = Mode::Editable);
    QString text() const;
    void setText(const QString& text);
    // Fixed when the field is made.
    bool readOnly() const;
    void onChange(std::function<void()> handler) { changeHandler_ = std::move(handler); }
    // A player typing into the field (replaces its text, as a paste would).
    void type(const QString& text);

private:
    QLineEdit* edit_;
    std::function<void()> changeHandler_;
};

// A button with a caption or a picture. An "&" in the caption marks the
// letter of its keyboard shortcut; caption() reads it back, "&" included.
class Button : public Captioned<Field> {
public:
    Button(Container& container, const QString& caption, const Rect& rect, bool visible = true);
    void setPicture(const Picture& picture);
    // The picture last given (empty: none).
    const Picture& picture() const { return readKept(picture_); }

private:
    void showCaption(const QString& shown) override;
    QPushButton* button_;
    Picture picture_;
};

// A check box with a designed caption.
class CheckBox : public Field, public Translated {
public:
    CheckBox(Container& container, const QString& caption, const Rect& rect, bool checked, bool visible = true);
    bool checked() const;
    // The designed caption, fixed when the box is made.
    const QString& caption() const { return caption_; }
    // Sets the tick without a click event.
    void setChecked(bool checked);

protected:
    void beforeClick() override;
    void showInLanguage() override;

private:
    QCheckBox* box_;
    QString caption_;
};

// A drop-down list of choices, one of them chosen. Its change event fires
// when a player chooses; the game's own setIndex fires none. The choices are
// shown as given (names of their own, such as languages).
class ComboBox : public Field {
public:
    ComboBox(Container& container, const QStringList& choices, int index, const Rect& rect, bool visible = true);
    int index() const;
    void setIndex(int index);
    // Fixed when the list is made.
    const QStringList& choices() const { return choices_; }
    void onChange(std::function<void()> handler) { changeHandler_ = std::move(handler); }

private:
    QComboBox* combo_;
    QStringList choices_;
    std::function<void()> changeHandler_;
};

// A slider. Its value may lie outside its range: it is kept as given and
// drawn at the end of the bar.
class Slider : public Field {
public:
    struct Scale {
        int minimum = 0;
        int maximum = 10;
        int tickSpacing = 1;
        int smallStep = 1;
        int largeStep = 5;
    };
    Slider(Container& container, const Scale& scale, int value, const Rect& rect, bool visible = true);
    int minimum() const { return scale_.minimum; }
    int maximum() const { return scale_.maximum; }
    const Scale& scale() const { return scale_; }
    int value() const { return readKept(value_); }
    void setValue(std::int64_t value);

private:
    QSlider* slider_;
    Scale scale_;
    int value_;
    bool updating_ = false;
};

// A progress bar with a minimum, a maximum and a value, single-precision
// numbers. A value is kept within the range: setting the maximum below the
// value, or a value beyond the ends, puts the value at the nearest end.
class ProgressBar : public Field {
public:
    ProgressBar(Container& container, float minimum, float maximum, float value, const Rect& rect,
                bool visible = true);
    float minimum() const { return readKept(minimum_); }
    float maximum() const { return readKept(maximum_); }
    float value() const { return readKept(value_); }
    void setMinimum(float minimum);
    void setMaximum(float maximum);
    void setValue(float value);

private:
    // Moves one end of the range (minimum_ or maximum_) to a new value.
    void setEnd(float& end, float value);
    void redraw();
    QProgressBar* bar_;
    float minimum_;
    float maximum_;
    float value_;
};

// A line or a square outline, drawn in a colour. It takes no mouse events:
// they go to what lies under it.
class OutlineField : public Field {
public:
    enum class Kind { Line, Square };
    Colour colour() const;
    void setColour(Colour colour);

protected:
    OutlineField(Container& container, Kind kind, const Rect& rect, Colour colour, bool visible);
};

// A line between two points of its container.
class Line : public OutlineField {
public:
    Line(Container& container, Twips x1, Twips y1, Twips x2, Twips y2, Colour colour, bool visible = true);
    Twips x1() const { return readKept(x1_); }
    Twips y1() const { return readKept(y1_); }
    Twips x2() const { return readKept(x2_); }
    Twips y2() const { return readKept(y2_); }
    void setX1(Twips x);
    void setY1(Twips y);
    void setX2(Twips x);
    void setY2(Twips y);
    void setEnds(Twips x1, Twips y1, Twips x2, Twips y2);

private:
    void place();
    Twips x1_, y1_, x2_, y2_;
};

// A square outline.
class Shape : public OutlineField {
public:
    Shape(Container& container, const Rect& rect, Colour colour = kBlack, bool visible = true);
};

// A folder list: yields the folder it was given (the program's working
// directory at start-up). Never shown in this game.
class FolderList : public Field {
public:
    FolderList(Container& container, const QString& path, const Rect& rect, bool visible = false);
    const QString& path() const { return path_; }

private:
    QString path_;
};

} // namespace ui
