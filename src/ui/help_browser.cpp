#include "ui/help_browser.h"

#include <QTextBrowser>
#include <QUrl>

namespace ui {

namespace {
// Room for the page's widest table without a sideways scroll bar, in pixels.
constexpr int kWidth = 620;
constexpr int kHeight = 560;
} // namespace

HelpBrowser::HelpBrowser(const QString& title, const QString& page)
    : browser_(std::make_unique<QTextBrowser>())
{
    browser_->setWindowTitle(title);
    browser_->setOpenLinks(true);
    // The page's links lead within the page; nothing is fetched from outside.
    browser_->setOpenExternalLinks(false);
    browser_->setSource(QUrl(QStringLiteral("qrc") + page));
    browser_->resize(kWidth, kHeight);
}

HelpBrowser::~HelpBrowser() = default;

void HelpBrowser::show()
{
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

bool HelpBrowser::visible() const { return browser_->isVisible(); }

QString HelpBrowser::title() const { return browser_->windowTitle(); }

QString HelpBrowser::shownText() const { return browser_->toPlainText(); }

} // namespace ui
