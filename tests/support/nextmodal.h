#pragma once

#include <functional>
#include <memory>

class QString;

class QDialog;

// Runs `act` on the modal dialog that the next exec() puts up; a test fails
// when none comes.
void OnNextModal(std::function<void(QDialog *)> act);

// Closes the setup wizard once start-up puts it up; `seen` gets its welcome
// text. Start-up runs it on a first run and while no address is stored.
void CloseSetupWizardWhenShown(std::shared_ptr<QString> seen);
