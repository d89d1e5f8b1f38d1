#include "support/nextmodal.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
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

} // namespace

void OnNextModal(std::function<void(QDialog *)> act)
{
    WaitForModal(std::move(act), 1000);
}
