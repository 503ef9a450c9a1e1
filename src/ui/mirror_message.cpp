#include "ui/mirror_message.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace ui {

MirrorMessage::MirrorMessage(const QString& text, std::function<void()> onOk)
    : box_(std::make_unique<QMessageBox>(QMessageBox::NoIcon, QApplication::applicationName(), text,
                                         QMessageBox::Ok))
    , onOk_(std::move(onOk))
{
    box_->setWindowModality(Qt::NonModal);
    // The box closes itself on OK; the report goes out once it has.
    okReport_ = QObject::connect(box_.get(), &QMessageBox::finished, box_.get(), [this](int) {
        if (onOk_)
            onOk_();
    });
    box_->show();
}

MirrorMessage::~MirrorMessage() { close(); }

QString MirrorMessage::text() const { return box_->text(); }

bool MirrorMessage::isOpen() const { return box_->isVisible(); }

void MirrorMessage::pressOk()
{
    if (isOpen())
        box_->button(QMessageBox::Ok)->click();
}

void MirrorMessage::close()
{
    QObject::disconnect(okReport_);
    box_->hide();
}

} // namespace ui
