#include "ui/controls.h"

#include "ui/handler_call.h"
#include "ui/message_box.h"
#include "ui/window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ui {
namespace {

QColor toQColor(Colour colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Colour fromQColor(const QColor& colour)
{
    return Colour(colour.red()) | Colour(colour.green()) << 8 | Colour(colour.blue()) << 16;
}

// Draws a picture at its top-left corner, unscaled.
class PictureWidget : public QWidget {
public:
    explicit PictureWidget(bool fillBackground)
    {
        setAutoFillBackground(fillBackground);
    }
    void setPicture(const Picture* picture)
    {
        picture_ = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (picture_ && !picture_->isNull()) {
            QPainter painter(this);
            painter.drawPixmap(0, 0, *picture_);
        }
    }

private:
    const Picture* picture_ = nullptr;
};

// Draws a line or a square outline; mouse events pass through to what lies
// beneath.
class OutlineWidget : public QWidget {
public:
    using Kind = OutlineField::Kind;
    explicit OutlineWidget(Kind kind)
        : kind_(kind)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    Colour colour() const { return colour_; }
    void setColour(Colour colour)
    {
        colour_ = colour;
        update();
    }
    // For a line: its ends in this widget's pixels.
    void setEnds(QPoint from, QPoint to)
    {
        from_ = from;
        to_ = to;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(toQColor(colour_), 1));
        if (kind_ == Kind::Line)
            painter.drawLine(from_, to_);
        else
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    Kind kind_;
    Colour colour_ = kBlack;
    QPoint from_;
    QPoint to_;
};

QWidget* makeFrameWidget(const QString& designed, Frame::Border border)
{
    const QString caption = shownText(designed);
    QWidget* frame = nullptr;
    if (border == Frame::Border::Line) {
        frame = new QGroupBox(caption);
    } else {
        auto* plain = new QFrame;
        plain->setFrameShape(QFrame::NoFrame);
        plain->setAccessibleName(caption);
        frame = plain;
    }
    // A frame covers what lies behind it, as the roster covers the main menu.
    frame->setAutoFillBackground(true);
    return frame;
}

} // namespace

// ---- Frame ----

Frame::Frame(Container& container, const QString& caption, const Rect& rect, bool visible, Border border)
    : Captioned(container, makeFrameWidget(caption, border), caption, rect, visible)
    , border_(border)
{
}

void Frame::showCaption(const QString& shown)
{
    if (auto* box = qobject_cast<QGroupBox*>(widget()))
        box->setTitle(shown);
    else
        widget()->setAccessibleName(shown);
}

// ---- Pictured: PictureBox and Sprite ----

template <class Base>
Pictured<Base>::Pictured(Container& container, const Rect& rect, bool visible, bool autosize, bool fillBackground)
    : Base(container, new PictureWidget(fillBackground), rect, visible)
    , autosize_(autosize)
{
    static_cast<PictureWidget*>(this->widget())->setPicture(&picture_);
}

template <class Base>
void Pictured<Base>::setPicture(const Picture& picture)
{
    this->noteRead();
    if (picture_.cacheKey() != picture.cacheKey())
        this->noteChange("picture");
    picture_ = picture;
    static_cast<PictureWidget*>(this->widget())->setPicture(&picture_);
    if (autosize_ && !picture_.isNull()) {
        this->setWidth(toTwips(picture_.width()));
        this->setHeight(toTwips(picture_.height()));
    }
}

template class Pictured<ContainerField>;
template class Pictured<Field>;

PictureBox::PictureBox(Container& container, const Rect& rect, bool visible, bool autosize)
    : Pictured(container, rect, visible, autosize, true)
{
}

Sprite::Sprite(Container& container, const Rect& rect, bool visible)
    : Pictured(container, rect, visible, true, false)
{
}

bool Sprite::loadPictureFile(const QString& path)
{
    QString error;
    const auto picture = readPictureFile(path, &error);
    if (!picture) {
        showMessage(QStringLiteral("Cannot read the picture file %1 (%2).").arg(path, error));
        return false;
    }
    setPicture(*picture);
    return true;
}

// ---- Label ----

Label::Label(Container& container, const QString& caption, const Rect& rect, bool visible)
    : Captioned(container, new QLabel(shownText(caption)), caption, rect, visible)
{
    label_ = static_cast<QLabel*>(widget());
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::showCaption(const QString& shown) { label_->setText(shown); }

Colour Label::foreColour() const
{
    noteRead();
    return fromQColor(label_->palette().color(QPalette::WindowText));
}

void Label::setForeColour(Colour colour)
{
    if (foreColour() == colour)
        return;
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    label_->setPalette(palette);
    noteChange("colour");
}

void Label::setFont(const QString& family, int pointSize, bool bold)
{
    // Starts from the face the label already has (the application's), so a
    // label given only a size and weight keeps the game's own face.
    QFont font = label_->font();
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPointSize(pointSize);
    font.setBold(bold);
    noteRead();
    font_ = Font{family, pointSize, bold};
    if (label_->font() == font)
        return;
    label_->setFont(font);
    noteChange("font");
}

// ---- TextField ----

TextField::TextField(Container& container, const QString& text, const Rect& rect, bool visible, Mode mode)
    : Field(container, new QLineEdit(text), rect, visible)
{
    edit_ = static_cast<QLineEdit*>(widget());
    edit_->setReadOnly(mode == Mode::ReadOnly);
    edit_->setCursorPosition(0);
    // By the game or by the player, a new text is a change.
    QObject::connect(edit_, &QLineEdit::textChanged, edit_, [this] {
        noteChange("text");
        callHandler(changeHandler_);
    });
}

QString TextField::text() const
{
    noteRead();
    return edit_->text();
}

void TextField::setText(const QString& text)
{
    noteRead();
    if (edit_->text() == text)
        return;
    edit_->setText(text);
}

bool TextField::readOnly() const { return edit_->isReadOnly(); }

void TextField::type(const QString& text)
{
    if (!isEnabled() || edit_->isReadOnly())
        return;
    setText(text);
}

// ---- Button ----

Button::Button(Container& container, const QString& caption, const Rect& rect, bool visible)
    : Captioned(container, new QPushButton(shownText(caption)), caption, rect, visible)
{
    button_ = static_cast<QPushButton*>(widget());
    button_->setFocusPolicy(Qt::TabFocus);
    QObject::connect(button_, &QPushButton::clicked, button_, [this] { deliverClick(); });
}

void Button::showCaption(const QString& shown) { button_->setText(shown); }

void Button::setPicture(const Picture& picture)
{
    noteRead();
    picture_ = picture;
    button_->setIcon(QIcon(picture));
    button_->setIconSize(picture.size());
    noteChange("picture");
}

// ---- CheckBox ----

CheckBox::CheckBox(Container& container, const QString& caption, const Rect& rect, bool checked, bool visible)
    : Field(container, new QCheckBox(shownText(caption)), rect, visible)
    , caption_(caption)
{
    box_ = static_cast<QCheckBox*>(widget());
    box_->setChecked(checked);
    // A player's click has already toggled the box when it reports the click.
    QObject::connect(box_, &QCheckBox::clicked, box_, [this] { deliverClick(); });
    // Toggled by the player (setChecked below toggles it with signals blocked).
    // On a window that takes no person's input, whatever toggled it (a screen
    // reader, a call on the box) the box goes back as it was at once.
    QObject::connect(box_, &QCheckBox::toggled, box_, [this](bool ticked) {
        if (!this->container().window().takesPlayerInput()) {
            const QSignalBlocker quiet(box_);
            box_->setChecked(!ticked);
            return;
        }
        noteChange("tick");
    });
}

bool CheckBox::checked() const
{
    noteRead();
    return box_->isChecked();
}

void CheckBox::setChecked(bool checked)
{
    noteRead();
    if (box_->isChecked() == checked)
        return;
    const QSignalBlocker quiet(box_);
    box_->setChecked(checked);
    noteChange("tick");
}

void CheckBox::beforeClick()
{
    setChecked(!checked());
}

void CheckBox::showInLanguage() { box_->setText(shownText(caption_)); }

// ---- ComboBox ----

ComboBox::ComboBox(Container& container, const QStringList& choices, int index, const Rect& rect, bool visible)
    : Field(container, new QComboBox, rect, visible)
{
    combo_ = static_cast<QComboBox*>(widget());
    combo_->addItems(choices);
    choices_ = choices;
    combo_->setCurrentIndex(index);
    // Only a player's choice reports (setIndex blocks the signal).
    QObject::connect(combo_, &QComboBox::currentIndexChanged, combo_, [this] {
        noteChange("choice");
        if (isEnabled())
            callHandler(changeHandler_);
    });
}

int ComboBox::index() const
{
    noteRead();
    return combo_->currentIndex();
}

void ComboBox::setIndex(int index)
{
    noteRead();
    if (combo_->currentIndex() == index)
        return;
    const QSignalBlocker quiet(combo_);
    combo_->setCurrentIndex(index);
    noteChange("choice");
}
// ---- Slider ----

Slider::Slider(Container& container, const Scale& scale, int value, const Rect& rect, bool visible)
    : Field(container, new QSlider(Qt::Horizontal), rect, visible)
    , scale_(scale)
    , value_(value)
{
    slider_ = static_cast<QSlider*>(widget());
    slider_->setRange(scale.minimum, scale.maximum);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(scale.tickSpacing);
    slider_->setSingleStep(scale.smallStep);
    slider_->setPageStep(scale.largeStep);
    slider_->setValue(std::clamp(value, scale.minimum, scale.maximum));
    // A player moving the slider sets its value.
    QObject::connect(slider_, &QSlider::valueChanged, slider_, [this](int moved) {
        if (updating_ || value_ == moved)
            return;
        value_ = moved;
        noteChange("value");
    });
}

void Slider::setValue(std::int64_t value)
{
    noteRead();
    const auto kept = static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    if (value_ == kept)
        return;
    value_ = kept;
    noteChange("value");
    const int shown = std::clamp(kept, scale_.minimum, scale_.maximum);
    if (slider_->value() != shown) {
        updating_ = true;
        slider_->setValue(shown);
        updating_ = false;
    }
}

// ---- ProgressBar ----

namespace {
constexpr int kBarSteps = 1000;
}

ProgressBar::ProgressBar(Container& container, float minimum, float maximum, float value, const Rect& rect,
                         bool visible)
    : Field(container, new QProgressBar, rect, visible)
    , minimum_(minimum)
    , maximum_(maximum)
    , value_(std::clamp(value, std::min(minimum, maximum), std::max(minimum, maximum)))
{
    bar_ = static_cast<QProgressBar*>(widget());
    bar_->setTextVisible(false);
    bar_->setRange(0, kBarSteps);
    redraw();
}

void ProgressBar::setMinimum(float minimum) { setEnd(minimum_, minimum); }
void ProgressBar::setMaximum(float maximum) { setEnd(maximum_, maximum); }

void ProgressBar::setEnd(float& end, float value)
{
    noteRead();
    if (end == value)
        return;
    end = value;
    noteChange("range");
    // The value stays within the new range; the bar is redrawn even when the
    // value holds, as its place along the bar has moved.
    setValue(value_);
    redraw();
}

void ProgressBar::setValue(float value)
{
    noteRead();
    if (std::isnan(value))
        value = minimum_;
    const float kept = std::clamp(value, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
    if (value_ == kept)
        return;
    value_ = kept;
    noteChange("value");
    redraw();
}

void ProgressBar::redraw()
{
    const double span = static_cast<double>(maximum_) - minimum_;
    const int steps = span > 0 ? static_cast<int>(std::lround((value_ - minimum_) / span * kBarSteps)) : 0;
    if (bar_->value() != steps)
        bar_->setValue(steps);
}

// ---- OutlineField ----

OutlineField::OutlineField(Container& container, Kind kind, const Rect& rect, Colour colour, bool visible)
    : Field(container, new OutlineWidget(kind), rect, visible)
{
    static_cast<OutlineWidget*>(widget())->setColour(colour);
}

Colour OutlineField::colour() const
{
    noteRead();
    return static_cast<OutlineWidget*>(widget())->colour();
}

void OutlineField::setColour(Colour colour)
{
    if (this->colour() == colour)
        return;
    static_cast<OutlineWidget*>(widget())->setColour(colour);
    noteChange("colour");
}

// ---- Line ----

Line::Line(Container& container, Twips x1, Twips y1, Twips x2, Twips y2, Colour colour, bool visible)
    : OutlineField(container, Kind::Line, Rect{}, colour, visible)
    , x1_(x1)
    , y1_(y1)
    , x2_(x2)
    , y2_(y2)
{
    place();
}

void Line::setX1(Twips x) { setEnds(x, y1_, x2_, y2_); }
void Line::setY1(Twips y) { setEnds(x1_, y, x2_, y2_); }
void Line::setX2(Twips x) { setEnds(x1_, y1_, x, y2_); }
void Line::setY2(Twips y) { setEnds(x1_, y1_, x2_, y); }

void Line::setEnds(Twips x1, Twips y1, Twips x2, Twips y2)
{
    noteRead();
    if (x1_ == x1 && y1_ == y1 && x2_ == x2 && y2_ == y2)
        return;
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    noteChange("ends");
    place();
}

void Line::place()
{
    // The widget covers the line's bounding box, one pixel larger.
    const int px1 = toPixels(x1_), py1 = toPixels(y1_), px2 = toPixels(x2_), py2 = toPixels(y2_);
    const int left = std::min(px1, px2), top = std::min(py1, py2);
    setRect(Rect{toTwips(left), toTwips(top), toTwips(std::abs(px2 - px1) + 1), toTwips(std::abs(py2 - py1) + 1)});
    static_cast<OutlineWidget*>(widget())->setEnds(QPoint(px1 - left, py1 - top), QPoint(px2 - left, py2 - top));
}

// ---- Shape ----

Shape::Shape(Container& container, const Rect& rect, Colour colour, bool visible)
    : OutlineField(container, Kind::Square, rect, colour, visible)
{
}

// ---- FolderList ----

FolderList::FolderList(Container& container, const QString& path, const Rect& rect, bool visible)
    : Field(container, new QWidget, rect, visible)
    , path_(path)
{
}

} // namespace ui
