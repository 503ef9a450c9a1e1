#include "net/battle_mirror.h"

#include "app/game_words.h"

#include <utility>

namespace net {
namespace {

// The scroll interval of the battle window, so both scroll alike.
constexpr int kScrollMs = 30;

struct EdgeButton {
    const char* picture;
    QString (*direction)();
};

const std::array<EdgeButton, 4> kEdgeButtons{{
    {"builtin:arrow_left", &words::left},
    {"builtin:arrow_right", &words::right},
    {"builtin:arrow_up", &words::up},
    {"builtin:arrow_down", &words::down},
}};

}  // namespace

int BattleMirror::viewIndex(const WindowMade& made)
{
    for (int i = 0; i < made.fields.size(); ++i)
        if (made.fields[i].props.role == QStringLiteral("view"))
            return i;
    return -1;
}

BattleMirror::BattleMirror(Edition edition, ui::MirrorWindow& battle, const WindowMade& made,
                           ui::Field::PointerHandler battlefieldMove)
    : ui::Window(QString(), 0, 0)
    , scrol1(*this, words::noScroll(), {0, 0, 375, 255}, false)
    , scrol(*this, QStringLiteral("scrol"), kScrollMs, edition == Edition::Full, [this] { scrollTick(); })
    , battle_(battle)
    , view_(viewIndex(made))
{
    for (int i = 0; i < made.fields.size(); ++i) {
        const FieldState& field = made.fields[i];
        if (field.kind != FieldKind::Button || field.parent != -1 || !field.props.picture)
            continue;
        for (const EdgeButton& edge : kEdgeButtons)
            if (field.props.picture->name == QLatin1String(edge.picture)) {
                battle_.onFieldClick(i, [this, direction = edge.direction] { scrol1.setCaption(direction()); });
                edgeButtons_.push_back(i);
            }
    }
    battle_.onPointerMove([this](ui::Twips, ui::Twips) { scrol1.setCaption(words::noScroll()); });
    battle_.onFieldPointerMove(view_, [this, moved = std::move(battlefieldMove)](ui::Twips x, ui::Twips y) {
        scrol1.setCaption(words::noScroll());
        if (moved)
            moved(x, y);
    });
}

BattleMirror::~BattleMirror()
{
    battle_.onPointerMove(nullptr);
    battle_.onFieldPointerMove(view_, nullptr);
    for (const int button : edgeButtons_)
        battle_.onFieldClick(button, nullptr);
}

scroll::Place BattleMirror::place() const
{
    const ui::Field* field = battle_.field(view_);
    return field ? scroll::Place{field->left(), field->top()} : scroll::Place{};
}

FieldProps BattleMirror::keepOwnPlace(int index, FieldProps props) const
{
    if (index == view_ && props.rect) {
        const scroll::Place own = place();
        (*props.rect)[0] = own.left;
        (*props.rect)[1] = own.top;
    }
    return props;
}

void BattleMirror::scrollTick()
{
    const scroll::Direction direction = scroll::directionOf(scrol1.caption());
    ui::Field* field = battle_.field(view_);
    if (direction == scroll::Direction::None || !field)
        return;
    const scroll::Place next = scroll::step(place(), direction);
    field->move(next.left, next.top);
}

}  // namespace net
