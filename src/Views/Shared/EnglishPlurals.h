#pragma once

#include <QTranslator>

#include <cstddef>

// The English forms of the window's counted texts. Texts with a count are written once, in
// the numerus form tr("%n file(s)", nullptr, n); without a translation Qt would show
// "1 file(s)". This translator gives English its two forms: "(s)" drops for a count of one
// and becomes "s" for any other. Translations into other languages, installed after it, are
// asked first.
class EnglishPlurals final : public QTranslator {
    Q_OBJECT

  public:
    using QTranslator::QTranslator;

    // Installs one for the application (once; later calls do nothing). Needs a
    // QCoreApplication.
    static void install();
    // A count as tr() takes it (counts beyond int's range are shown as its largest value).
    static int number(std::size_t count);

    // Null (Qt then keeps the source text) for a text without a count or without "(s)".
    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }
};
