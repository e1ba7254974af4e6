// A one-line edit field that holds its text in upper case, whether the text
// is typed, pasted or set by the program, and keeps the cursor where it was.
#pragma once

#include <QLineEdit>

class CUpperCaseEdit : public QLineEdit {
public:
    explicit CUpperCaseEdit(QWidget* parent = nullptr) : QLineEdit(parent) {
        connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
            const QString upper = text.toUpper();
            if (upper == text)
                return;
            const int cursor = cursorPosition();
            setText(upper);
            setCursorPosition(cursor);
        });
    }
};
