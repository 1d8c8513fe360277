#include "app/PlaceholderWindow.h"

#include <QLabel>
#include <QVBoxLayout>

namespace PlaceholderText {
const char *const Heading = "مقیاس مهارت‌های اجتماعی کورات";
const char *const Ready = "پایگاه داده باز شد. پنجره‌ی اصلی برنامه به‌زودی اینجا خواهد "
                          "بود.";
} // namespace PlaceholderText

PlaceholderWindow::PlaceholderWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Korvat"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(QString::fromUtf8(PlaceholderText::Heading), this);
    heading->setObjectName(QStringLiteral("Heading"));
    QFont font = heading->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);
    auto *ready = new QLabel(QString::fromUtf8(PlaceholderText::Ready), this);
    ready->setAlignment(Qt::AlignCenter);
    ready->setWordWrap(true);
    layout->addWidget(heading);
    layout->addWidget(ready);
    layout->setContentsMargins(32, 32, 32, 32);
    layout->setSpacing(16);
    setFixedSize(sizeHint().expandedTo(QSize(480, 200)));
}
