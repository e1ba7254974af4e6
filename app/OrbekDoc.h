// COrbekDoc: the program's document. It holds nothing: the project lives in
// the project tree and is read and written by the main window.
#pragma once

class COrbekDoc {
public:
    // A new document needs no preparation.
    bool OnNewDocument() { return true; }
};
