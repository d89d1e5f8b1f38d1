#pragma once

#include <functional>

class QDialog;

// Runs `act` on the modal dialog that the next exec() puts up; a test fails
// when none comes.
void OnNextModal(std::function<void(QDialog *)> act);
