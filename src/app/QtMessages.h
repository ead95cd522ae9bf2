#pragma once
// Messages shown as plain message boxes.
#include "app/QtText.h"
#include "common/Messages.h"

#include <QMessageBox>
#include <QString>

namespace trakmora {

class QtMessages : public Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void info(const std::string& text) override {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Trakmora"), qText(text),
                        QMessageBox::Ok, parent_);
        box.exec();
    }
    bool ask(const std::string& title, const std::string& text) override {
        return QMessageBox::question(parent_, qText(title), qText(text),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }

private:
    QWidget* parent_;
};

} // namespace trakmora
