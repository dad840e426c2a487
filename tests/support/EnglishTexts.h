#pragma once
// The English catalogue installed for the life of a test, and removed after it:
// the program's texts then read as an English user sees them.

#include <QTranslator>

namespace quellin::test {

class EnglishTexts {
public:
    EnglishTexts();
    ~EnglishTexts();
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;
    // False when the compiled-in catalogue could not be loaded.
    bool loaded() const { return loaded_; }

private:
    QTranslator translator_;
    bool loaded_ = false;
};

} // namespace quellin::test
