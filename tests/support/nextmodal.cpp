#include "support/nextmodal.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>

namespace {

void WaitForModal(std::function<void(QDialog *)> act, int triesLeft)
{
    QTimer::singleShot(0, [act, triesLeft] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            act(dialog);
        else if (triesLeft > 0)
            WaitForModal(act, triesLeft - 1);
        else
            ADD_FAILURE() << "no modal dialog came up";
    });
}

void WaitForWizard(std::shared_ptr<QString> seen, int triesLeft)
{
    QTimer::singleShot(5, [seen, triesLeft] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == QStringLiteral("-2")) {
            *seen = modal->findChild<QLabel *>(QStringLiteral("1108"))->text();
            qobject_cast<QDialog *>(modal)->reject();
        } else if (triesLeft > 0) {
            WaitForWizard(seen, triesLeft - 1);
        }
    });
}

} // namespace

void OnNextModal(std::function<void(QDialog *)> act)
{
    WaitForModal(std::move(act), 1000);
}

void CloseSetupWizardWhenShown(std::shared_ptr<QString> seen)
{
    WaitForWizard(std::move(seen), 4000);
}
