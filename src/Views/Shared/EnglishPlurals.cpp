#include "Views/Shared/EnglishPlurals.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

void EnglishPlurals::install() {
    auto* app = QCoreApplication::instance();
    if (app == nullptr || app->findChild<EnglishPlurals*>(QString(), Qt::FindDirectChildrenOnly)) {
        return;
    }
    QCoreApplication::installTranslator(new EnglishPlurals(app));
}

int EnglishPlurals::number(std::size_t count) {
    return static_cast<int>(
        std::min<std::size_t>(count, static_cast<std::size_t>(std::numeric_limits<int>::max())));
}

QString EnglishPlurals::translate(const char*, const char* sourceText, const char*, int n) const {
    if (n < 0 || sourceText == nullptr) {
        return {};
    }
    QString text = QString::fromUtf8(sourceText);
    if (!text.contains(QLatin1String("(s)"))) {
        return {};
    }
    // Qt puts the number in for %n afterwards.
    text.replace(QLatin1String("(s)"), n == 1 ? QString() : QStringLiteral("s"));
    return text;
}
