#pragma once

#include <QString>
#include <memory>

class QTextBrowser;

namespace ui {

// A window that shows a page of help, written in HTML and read from the
// program's resources. It opens beside the game's windows without blocking
// them: play, timers and clicks go on while it is open.
class HelpBrowser {
public:
    // `page` names the HTML resource, e.g. ":/help/bantuan_id.html".
    HelpBrowser(const QString& title, const QString& page);
    ~HelpBrowser();
    HelpBrowser(const HelpBrowser&) = delete;
    HelpBrowser& operator=(const HelpBrowser&) = delete;

    // Shows the window, or brings it to the front when it is open already.
    void show();
    bool visible() const;
    QString title() const;
    // The page as the reader sees it, without its markup.
    QString shownText() const;
    QTextBrowser* widget() const { return browser_.get(); }

private:
    std::unique_ptr<QTextBrowser> browser_;
};

} // namespace ui
