#include "ui/watch.h"

#include "ui/mirror.h"
#include "ui/timer.h"

#include <algorithm>

namespace ui {
namespace {
std::uint64_t changes = 0;
bool describing = false;
QString firstChange;
ChangeObserver* observer = nullptr;
}

void setChangeObserver(ChangeObserver* next) { observer = next; }
ChangeObserver* changeObserver() { return observer; }

Watched::~Watched()
{
    // Too late to describe it: what derived from it is gone already.
    ui::noteChange("removal of a field, window or timer");
    wakeSleepers();
    // The last word about it: nothing reports it after this.
    if (observer)
        observer->gone(*this);
}

void Watched::recordRead() const
{
    detail::ReadRecord* record = detail::currentRecord;
    if (lastRecord_ == record->id)
        return;
    lastRecord_ = record->id;
    record->reads.push_back(this);
}

void Watched::noteChange(const char* what)
{
    if (describing && firstChange.isEmpty())
        firstChange = QStringLiteral("the %1 of %2").arg(QLatin1String(what), describe());
    ++changes;
    wakeSleepers();
    if (observer)
        observer->changed(*this);
}

void Watched::reportMade()
{
    if (observer)
        observer->changed(*this);
}

void Watched::wakeSleepers()
{
    if (sleepers_.empty())
        return;
    // Waking takes each timer off every list it sleeps on, this one included.
    const std::vector<Timer*> sleepers = sleepers_;
    for (Timer* timer : sleepers)
        timer->wake();
}

void noteChange(const char* what)
{
    if (describing && firstChange.isEmpty())
        firstChange = QLatin1String(what);
    ++changes;
}

std::uint64_t changeCount() { return changes; }

void describeFirstChange(bool on)
{
    describing = on;
    firstChange.clear();
}

QString firstChangeDescription() { return firstChange; }

} // namespace ui
