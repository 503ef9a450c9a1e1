#include "ui/mirror.h"

#include "ui/controls.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ui {

namespace {

// Reads made here are no reads of the tick running now (if any): a sleeping
// timer must not wake for what an observer looked at.
class NoReadRecord {
public:
    NoReadRecord()
        : saved_(detail::currentRecord)
    {
        detail::currentRecord = nullptr;
    }
    ~NoReadRecord() { detail::currentRecord = saved_; }
    NoReadRecord(const NoReadRecord&) = delete;
    NoReadRecord& operator=(const NoReadRecord&) = delete;

private:
    detail::ReadRecord* saved_;
};

template <typename Kind>
const Kind* as(const Field& field)
{
    return dynamic_cast<const Kind*>(&field);
}

// Far enough for any window's place on the desktop.
constexpr double kFarthestTwips = 1.5e6;
constexpr double kLargestWindowTwips = 15.0 * 8000;
constexpr double kLargestRange = 1e9;
constexpr int kLargestScale = 1000000;

double bounded(double value, double least, double most) { return std::clamp(value, least, most); }

bool finite(double value) { return std::isfinite(value); }

template <std::size_t N>
bool finite(const std::array<double, N>& values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// A field keeps the twips it was given, as the host's does: a shell flown
// far off the battlefield, a negative width of a panel squeezed narrower than
// its layout. Its widget is drawn no further than the ui layer reaches and
// no smaller than nothing. (The numbers are finite: see flawOf and apply.)
Rect rectOf(const std::array<double, 4>& r) { return Rect{r[0], r[1], r[2], r[3]}; }

int scaleNumber(double value) { return static_cast<int>(bounded(std::round(value), -kLargestScale, kLargestScale)); }

bool isContainerKind(net::FieldKind kind) { return kind == net::FieldKind::Frame || kind == net::FieldKind::PictureBox; }

// A place in twips as the widget is drawn from it, always finite: a typed
// wind can leave a field at an infinite or undefined place, which the ui
// layer draws at its farthest reach or at 0. The largest number draws where
// infinity does, and travels where infinity may not.
double drawn(double twips)
{
    if (std::isnan(twips))
        return 0;
    return std::clamp(twips, std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max());
}

// Why these props cannot be applied: a number that is not finite.
QString flawOfProps(const net::FieldProps& p)
{
    const bool sound = (!p.rect || finite(*p.rect)) && (!p.value || finite(*p.value))
        && (!p.minimum || finite(*p.minimum)) && (!p.maximum || finite(*p.maximum))
        && (!p.scale || finite(*p.scale)) && (!p.ends || finite(*p.ends)) && (!p.font || finite(p.font->points));
    return sound ? QString() : QStringLiteral("a number that is not finite");
}

} // namespace

// ---- Reading state ----

net::FieldState captureField(const Field& field)
{
    const NoReadRecord quiet;
    net::FieldState state;
    net::FieldProps& p = state.props;

    const auto* inside = dynamic_cast<const Field*>(&field.container());
    if (inside) {
        const std::vector<Field*>& fields = field.container().window().fields();
        const auto found = std::find(fields.begin(), fields.end(), inside);
        state.parent = found == fields.end() ? -1 : static_cast<int>(found - fields.begin());
    }

    const QWidget* widget = field.widget();
    p.visible = widget && !widget->isHidden();
    p.enabled = widget && widget->isEnabledTo(widget->parentWidget());
    const Rect& r = field.rect();
    auto putRect = [&] { p.rect = std::array<double, 4>{drawn(r.left), drawn(r.top), drawn(r.width), drawn(r.height)}; };
    auto putCaption = [&](const auto& captioned) {
        p.caption = captioned.caption();
        p.playerText = captioned.textKind() == TextKind::Player;
    };

    if (const auto* button = as<Button>(field)) {
        state.kind = net::FieldKind::Button;
        putRect();
        putCaption(*button);
        p.picture = pictureName(button->picture());
    } else if (const auto* label = as<Label>(field)) {
        state.kind = net::FieldKind::Label;
        putRect();
        putCaption(*label);
        p.colour = label->foreColour();
        if (label->font().pointSize > 0)
            p.font = net::Font{label->font().family, static_cast<double>(label->font().pointSize), label->font().bold};
    } else if (const auto* text = as<TextField>(field)) {
        state.kind = net::FieldKind::TextField;
        putRect();
        p.text = text->text();
        p.readOnly = text->readOnly();
    } else if (const auto* sprite = as<Sprite>(field)) {
        state.kind = net::FieldKind::Sprite;
        putRect();
        p.picture = pictureName(sprite->picture());
    } else if (const auto* surface = as<PictureBox>(field)) {
        state.kind = net::FieldKind::PictureBox;
        putRect();
        p.picture = pictureName(surface->picture());
        p.autoSize = surface->autoSize();
    } else if (const auto* frame = as<Frame>(field)) {
        state.kind = net::FieldKind::Frame;
        putRect();
        putCaption(*frame);
        p.border = frame->border() == Frame::Border::Line;
    } else if (const auto* bar = as<ProgressBar>(field)) {
        state.kind = net::FieldKind::ProgressBar;
        putRect();
        p.minimum = bar->minimum();
        p.maximum = bar->maximum();
        p.value = bar->value();
    } else if (const auto* slider = as<Slider>(field)) {
        state.kind = net::FieldKind::Slider;
        putRect();
        const Slider::Scale& s = slider->scale();
        p.scale = std::array<double, 5>{double(s.minimum), double(s.maximum), double(s.tickSpacing),
                                        double(s.smallStep), double(s.largeStep)};
        p.value = slider->value();
    } else if (const auto* box = as<CheckBox>(field)) {
        state.kind = net::FieldKind::CheckBox;
        putRect();
        p.caption = box->caption();
        p.playerText = false;
        p.checked = box->checked();
    } else if (const auto* line = as<Line>(field)) {
        state.kind = net::FieldKind::Line;
        p.ends = std::array<double, 4>{drawn(line->x1()), drawn(line->y1()), drawn(line->x2()), drawn(line->y2())};
        p.colour = line->colour();
    } else if (const auto* shape = as<Shape>(field)) {
        state.kind = net::FieldKind::Shape;
        putRect();
        p.colour = shape->colour();
    } else if (const auto* choice = as<ComboBox>(field)) {
        state.kind = net::FieldKind::ComboBox;
        putRect();
        p.choices = choice->choices();
        p.value = choice->index();
    } else {
        // A folder list, or a kind the mirror cannot build: a hidden
        // placeholder keeps the indices in step. Its path stays here.
        state.kind = net::FieldKind::FolderList;
        putRect();
        if (!as<FolderList>(field))
            p.visible = false;
    }
    return state;
}

net::WindowMade captureWindow(const Window& window, qint64 serial, const QString& name)
{
    const NoReadRecord quiet;
    net::WindowMade made;
    made.window = serial;
    made.name = name;
    made.caption = window.caption();
    made.captionIsPlayerText = window.captionKind() == TextKind::Player;
    const QWidget* widget = window.widget();
    made.size = {toTwips(widget->width()), toTwips(widget->height())};
    // The client area's corner: the same place whatever frame a desktop draws.
    made.place = {toTwips(widget->geometry().x()), toTwips(widget->geometry().y())};
    made.shown = widget->isVisible();
    for (const Field* field : window.fields())
        made.fields.append(captureField(*field));
    return made;
}

net::FieldProps changedProps(const net::FieldProps& before, const net::FieldProps& now)
{
    net::FieldProps changed;
    auto pick = [](auto& out, const auto& was, const auto& is) {
        if (is && is != was)
            out = is;
    };
    pick(changed.rect, before.rect, now.rect);
    pick(changed.visible, before.visible, now.visible);
    pick(changed.enabled, before.enabled, now.enabled);
    pick(changed.readOnly, before.readOnly, now.readOnly);
    pick(changed.checked, before.checked, now.checked);
    pick(changed.caption, before.caption, now.caption);
    pick(changed.text, before.text, now.text);
    pick(changed.value, before.value, now.value);
    pick(changed.minimum, before.minimum, now.minimum);
    pick(changed.maximum, before.maximum, now.maximum);
    pick(changed.scale, before.scale, now.scale);
    pick(changed.ends, before.ends, now.ends);
    pick(changed.colour, before.colour, now.colour);
    pick(changed.font, before.font, now.font);
    pick(changed.border, before.border, now.border);
    pick(changed.autoSize, before.autoSize, now.autoSize);
    pick(changed.picture, before.picture, now.picture);
    pick(changed.role, before.role, now.role);
    pick(changed.playerText, before.playerText, now.playerText);
    pick(changed.choices, before.choices, now.choices);
    return changed;
}

// ---- MirrorWindow ----

// Keeps a person's presses, wheel turns, shortcuts, menus and drops away
// from every widget of one mirror window except the clickable ones. Pointer
// moves pass. A key that reaches a field's widget anyway (no field takes the
// focus) goes to the window instead, where onKeys may take it.
class MirrorWindow::InputFilter : public QObject {
public:
    explicit InputFilter(MirrorWindow& owner)
        : QObject(owner.widget())
        , owner_(owner)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (!widget || widget == owner_.widget() || widget->window() != owner_.widget())
                return false;
            QCoreApplication::sendEvent(owner_.widget(), event);
            return true;
        }
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TabletPress:
            break;
        default:
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != owner_.widget() || widget == owner_.widget())
            return false;
        for (QWidget* w = widget; w && w != owner_.widget(); w = w->parentWidget())
            if (std::find(owner_.clickable_.begin(), owner_.clickable_.end(), w) != owner_.clickable_.end())
                return false;
        return true;
    }

private:
    MirrorWindow& owner_;
};

QString MirrorWindow::flawOf(const net::WindowMade& made)
{
    if (!finite(made.size) || !finite(made.place))
        return QStringLiteral("the window's size or place is not a finite number");
    for (qsizetype i = 0; i < made.fields.size(); ++i) {
        const net::FieldState& f = made.fields[i];
        const QString where = QStringLiteral("field %1: ").arg(i);
        const int kind = static_cast<int>(f.kind);
        if (kind < 0 || kind >= net::kFieldKindCount)
            return where + QStringLiteral("no such kind");
        if (f.parent < -1 || f.parent >= i)
            return where + QStringLiteral("its container is not an earlier field");
        if (f.parent >= 0 && !isContainerKind(made.fields[f.parent].kind))
            return where + QStringLiteral("its container holds no fields");
        const QString props = flawOfProps(f.props);
        if (!props.isEmpty())
            return where + props;
    }
    return {};
}

std::unique_ptr<MirrorWindow> MirrorWindow::build(const net::WindowMade& made, PictureLookup lookup, QString* error)
{
    const QString flaw = flawOf(made);
    if (error)
        *error = flaw;
    if (!flaw.isEmpty())
        return nullptr;
    return std::make_unique<MirrorWindow>(made, std::move(lookup));
}

MirrorWindow::MirrorWindow(const net::WindowMade& made, PictureLookup lookup)
    : Window(made.caption, finite(made.size[0]) ? bounded(made.size[0], 0, kLargestWindowTwips) : 0,
             finite(made.size[1]) ? bounded(made.size[1], 0, kLargestWindowTwips) : 0)
    , hostSerial_(made.window)
    , name_(made.name)
    , lookup_(std::move(lookup))
{
    if (made.captionIsPlayerText)
        showPlayerText();
    widget()->setAttribute(Qt::WA_ShowWithoutActivating);
    QCoreApplication::instance()->installEventFilter(new InputFilter(*this));
    // The host closes its windows; a person's close control here does not.
    onCloseRequest([] { return false; });

    const bool sound = flawOf(made).isEmpty();
    if (sound) {
        fields_.reserve(static_cast<std::size_t>(made.fields.size()));
        for (const net::FieldState& state : made.fields) {
            Container& container = state.parent < 0 ? static_cast<Container&>(*this)
                                                    : dynamic_cast<ContainerField&>(*fields_[state.parent]);
            fields_.push_back(makeField(state, container));
            fields_.back()->widget()->setFocusPolicy(Qt::NoFocus);
            fields_.back()->widget()->setAcceptDrops(false);
            apply(static_cast<int>(fields_.size()) - 1, state.props);
        }
    }
    if (finite(made.place))
        placeClientAt(bounded(made.place[0], -kFarthestTwips, kFarthestTwips),
                      bounded(made.place[1], -kFarthestTwips, kFarthestTwips));
    if (made.shown)
        showQuietly();
}

MirrorWindow::~MirrorWindow()
{
    // A field reaches its container as it goes: the contents go first.
    while (!fields_.empty())
        fields_.pop_back();
}

std::unique_ptr<Field> MirrorWindow::makeField(const net::FieldState& state, Container& container)
{
    const net::FieldProps& p = state.props;
    const Rect rect = p.rect ? rectOf(*p.rect) : Rect{};
    const bool visible = p.visible.value_or(true);
    const QString caption = p.caption.value_or(QString());
    const Colour colour = static_cast<Colour>(p.colour.value_or(0) & 0xFFFFFF);
    switch (state.kind) {
    case net::FieldKind::Button:
        return std::make_unique<Button>(container, caption, rect, visible);
    case net::FieldKind::Label:
        return std::make_unique<Label>(container, caption, rect, visible);
    case net::FieldKind::TextField:
        return std::make_unique<TextField>(container, p.text.value_or(QString()), rect, visible,
                                           p.readOnly.value_or(false) ? TextField::Mode::ReadOnly
                                                                      : TextField::Mode::Editable);
    case net::FieldKind::Sprite:
        return std::make_unique<Sprite>(container, rect, visible);
    case net::FieldKind::PictureBox:
        return std::make_unique<PictureBox>(container, rect, visible, p.autoSize.value_or(true));
    case net::FieldKind::Frame:
        return std::make_unique<Frame>(container, caption, rect, visible,
                                       p.border.value_or(true) ? Frame::Border::Line : Frame::Border::None);
    case net::FieldKind::ProgressBar: {
        const auto minimum = static_cast<float>(bounded(p.minimum.value_or(0), -kLargestRange, kLargestRange));
        const auto maximum = static_cast<float>(bounded(p.maximum.value_or(100), -kLargestRange, kLargestRange));
        const auto value = static_cast<float>(bounded(p.value.value_or(minimum), -kLargestRange, kLargestRange));
        return std::make_unique<ProgressBar>(container, minimum, maximum, value, rect, visible);
    }
    case net::FieldKind::Slider: {
        Slider::Scale scale;
        if (p.scale) {
            const auto& s = *p.scale;
            scale = Slider::Scale{scaleNumber(s[0]), std::max(scaleNumber(s[0]), scaleNumber(s[1])),
                                  std::max(1, scaleNumber(s[2])), std::max(1, scaleNumber(s[3])),
                                  std::max(1, scaleNumber(s[4]))};
        }
        return std::make_unique<Slider>(container, scale, scaleNumber(p.value.value_or(scale.minimum)), rect, visible);
    }
    case net::FieldKind::CheckBox:
        return std::make_unique<CheckBox>(container, caption, rect, p.checked.value_or(false), visible);
    case net::FieldKind::Line: {
        const auto ends = p.ends.value_or(std::array<double, 4>{});
        auto at = [&](std::size_t i) { return ends[i]; };
        return std::make_unique<Line>(container, at(0), at(1), at(2), at(3), colour, visible);
    }
    case net::FieldKind::Shape:
        return std::make_unique<Shape>(container, rect, colour, visible);
    case net::FieldKind::ComboBox:
        return std::make_unique<ComboBox>(container, p.choices.value_or(QStringList()),
                                          scaleNumber(p.value.value_or(-1)), rect, visible);
    case net::FieldKind::FolderList:
        break;
    }
    // No path from a peer is ever kept.
    return std::make_unique<FolderList>(container, QString(), rect, visible);
}

int MirrorWindow::fieldCount() const { return static_cast<int>(fields_.size()); }

Field* MirrorWindow::field(int index) const
{
    if (index < 0 || index >= fieldCount())
        return nullptr;
    return fields_[static_cast<std::size_t>(index)].get();
}

void MirrorWindow::apply(int index, const net::FieldProps& p)
{
    Field* target = field(index);
    if (!target || !flawOfProps(p).isEmpty())
        return;

    if (p.picture) {
        const Picture picture = p.picture->name.isEmpty() || !lookup_ ? Picture() : lookup_(*p.picture);
        if (auto* sprite = dynamic_cast<Sprite*>(target))
            sprite->setPicture(picture);
        else if (auto* surface = dynamic_cast<PictureBox*>(target))
            surface->setPicture(picture);
        else if (auto* button = dynamic_cast<Button*>(target))
            button->setPicture(picture);
    }

    auto* line = dynamic_cast<Line*>(target);
    if (p.rect && !line)
        target->setRect(rectOf(*p.rect));
    if (p.ends && line) {
        const auto& e = *p.ends;
        auto at = [&](std::size_t i) { return e[i]; };
        line->setEnds(at(0), at(1), at(2), at(3));
    }

    if (auto* bar = dynamic_cast<ProgressBar*>(target)) {
        // Both ends first, so a value between the new ends is kept whole.
        if (p.minimum)
            bar->setMinimum(static_cast<float>(bounded(*p.minimum, -kLargestRange, kLargestRange)));
        if (p.maximum)
            bar->setMaximum(static_cast<float>(bounded(*p.maximum, -kLargestRange, kLargestRange)));
        if (p.value)
            bar->setValue(static_cast<float>(bounded(*p.value, -kLargestRange, kLargestRange)));
    } else if (auto* slider = dynamic_cast<Slider*>(target)) {
        if (p.value)
            slider->setValue(static_cast<std::int64_t>(bounded(std::round(*p.value), -kLargestRange, kLargestRange)));
    } else if (auto* choice = dynamic_cast<ComboBox*>(target)) {
        if (p.value)
            choice->setIndex(scaleNumber(*p.value));
    }

    auto captionOf = [&](auto& captioned) {
        if (p.playerText.value_or(false))
            captioned.showPlayerText();
        if (p.caption)
            captioned.setCaption(*p.caption);
    };
    if (auto* button = dynamic_cast<Button*>(target))
        captionOf(*button);
    else if (auto* label = dynamic_cast<Label*>(target))
        captionOf(*label);
    else if (auto* frame = dynamic_cast<Frame*>(target))
        captionOf(*frame);

    if (auto* text = dynamic_cast<TextField*>(target); text && p.text)
        text->setText(*p.text);
    if (auto* box = dynamic_cast<CheckBox*>(target); box && p.checked)
        box->setChecked(*p.checked);
    if (p.colour) {
        const auto colour = static_cast<Colour>(*p.colour & 0xFFFFFF);
        if (auto* label = dynamic_cast<Label*>(target))
            label->setForeColour(colour);
        else if (auto* outline = dynamic_cast<OutlineField*>(target))
            outline->setColour(colour);
    }
    if (auto* label = dynamic_cast<Label*>(target); label && p.font)
        label->setFont(p.font->family, static_cast<int>(std::lround(bounded(p.font->points, 1, 500))),
                       p.font->bold);
    if (p.visible)
        target->setVisible(*p.visible);
    if (p.enabled)
        target->setEnabled(*p.enabled);
}

void MirrorWindow::apply(const net::WindowChanged& change)
{
    if (change.captionIsPlayerText.value_or(false))
        showPlayerText();
    if (change.caption)
        setCaption(*change.caption);
    if (change.size && finite(*change.size))
        setClientSize(bounded((*change.size)[0], 0, kLargestWindowTwips),
                      bounded((*change.size)[1], 0, kLargestWindowTwips));
    if (change.place && finite(*change.place))
        placeClientAt(bounded((*change.place)[0], -kFarthestTwips, kFarthestTwips),
                      bounded((*change.place)[1], -kFarthestTwips, kFarthestTwips));
    if (change.shown) {
        if (*change.shown)
            showQuietly();
        else
            hide();
    }
    if (change.raise && visible())
        widget()->raise();
}

void MirrorWindow::showQuietly()
{
    // Never activateWindow: the player's keys stay where the player put them.
    widget()->show();
    widget()->raise();
}

void MirrorWindow::onFieldClick(int index, std::function<void()> handler)
{
    Field* target = field(index);
    if (!target)
        return;
    target->onClick(std::move(handler));
    if (std::find(clickable_.begin(), clickable_.end(), target->widget()) == clickable_.end())
        clickable_.push_back(target->widget());
}

void MirrorWindow::onFieldPointerMove(int index, Field::PointerHandler handler)
{
    if (Field* target = field(index))
        target->onPointerMove(std::move(handler));
}

} // namespace ui
