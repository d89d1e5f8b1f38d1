#pragma once

#include <QStringView>

// How many character cells a text takes in a fixed-width view such as a
// terminal or a text editor: combining marks and other zero-width
// characters take none, East Asian wide and fullwidth characters two, any
// other character one. Counted by code point, so a character outside the
// basic plane is one character, not two halves.
int DisplayWidth(QStringView text);
int DisplayWidth(char32_t codePoint);
