#include "reports/DataR1.h"

#include "common/LeadingNumber.h"
#include "reports/ReportsText.h"
#include "scoring/ScoringKey.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextOption>

#include <cmath>

namespace {
const qreal Width = 190; // A4 portrait within its margins
const qreal Height = 250;
const QString Detail = QStringLiteral("Section1");

const QColor Ink(0x1D, 0x4E, 0x5A);
const QColor Paper(0xFB, 0xF8, 0xF1);
const QColor Slot(0xFF, 0xFF, 0xFF);
const QColor Accent(0xB8, 0x86, 0x3B);

// The card: cream paper in a double frame with a small ornament in each corner, and a band under
// the title. Drawn, not a picture file, so it stays sharp at any resolution.
void PaintCard(QPainter &p, const QRectF &r, qreal mm, const ReportLayout &)
{
    p.fillRect(r, Paper);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Ink, 0.9 * mm));
    p.drawRoundedRect(r.adjusted(3 * mm, 3 * mm, -3 * mm, -3 * mm), 4 * mm, 4 * mm);
    p.setPen(QPen(Accent, 0.35 * mm));
    p.drawRoundedRect(r.adjusted(5.5 * mm, 5.5 * mm, -5.5 * mm, -5.5 * mm), 2.5 * mm, 2.5 * mm);

    // A four-petal ornament in each corner.
    const qreal inset = 9 * mm;
    const QPointF corners[] = {
        r.topLeft() + QPointF(inset, inset), r.topRight() + QPointF(-inset, inset),
        r.bottomLeft() + QPointF(inset, -inset), r.bottomRight() + QPointF(-inset, -inset)};
    p.setPen(Qt::NoPen);
    for (const QPointF &c : corners) {
        p.setBrush(Accent);
        for (int i = 0; i < 4; ++i) {
            const qreal a = i * M_PI / 2 + M_PI / 4;
            p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * 1.3 * mm, 1.1 * mm, 1.1 * mm);
        }
        p.setBrush(Ink);
        p.drawEllipse(c, 0.8 * mm, 0.8 * mm);
    }

    // Under the title, and between the details and the scores.
    p.setPen(QPen(Ink, 0.4 * mm));
    p.drawLine(QPointF(r.left() + 30 * mm, r.top() + 27 * mm),
               QPointF(r.right() - 30 * mm, r.top() + 27 * mm));
    p.setPen(QPen(Accent, 0.3 * mm));
    p.drawLine(QPointF(r.left() + 14 * mm, r.top() + 62 * mm),
               QPointF(r.right() - 14 * mm, r.top() + 62 * mm));
    p.drawLine(QPointF(r.left() + 14 * mm, r.top() + 112 * mm),
               QPointF(r.right() - 14 * mm, r.top() + 112 * mm));
}

// One bar per subscale, each the score's share of that subscale's own range, growing from the
// right as the text reads; its caption on the right, the score and range on the left.
void PaintProfile(QPainter &p, const QRectF &r, qreal mm, const ReportLayout &layout)
{
    const QVector<ScoringKey::Subscale> &subscales = ScoringKey::Subscales();
    const QStringList slotNames = DataR1::SubscaleSlots();
    const qreal rowHeight = r.height() / subscales.size();
    const qreal captionWidth = 58 * mm, numberWidth = 28 * mm;
    const QRectF track(r.left() + numberWidth, 0, r.width() - captionWidth - numberWidth - 4 * mm,
                       4.2 * mm);
    QFont captionFont = ReportFont(QStringLiteral("B Nazanin"), 9, true);
    QFont numberFont = ReportFont(QStringLiteral("B Nazanin"), 9, false);
    captionFont.setPointSizeF(captionFont.pointSizeF() * mm / (p.device()->logicalDpiX() / 25.4));
    numberFont.setPointSizeF(numberFont.pointSizeF() * mm / (p.device()->logicalDpiX() / 25.4));

    for (int i = 0; i < subscales.size(); ++i) {
        const ScoringKey::Subscale &subscale = subscales[i];
        const qreal top = r.top() + i * rowHeight;
        const QString text = layout.caption(Detail, slotNames[i]).trimmed();

        QTextOption right(Qt::AlignRight | Qt::AlignVCenter | Qt::AlignAbsolute);
        right.setTextDirection(Qt::RightToLeft);
        p.setFont(captionFont);
        p.setPen(Ink);
        p.drawText(QRectF(r.right() - captionWidth, top, captionWidth, rowHeight),
                   subscale.listCaption, right);

        const QRectF bar(track.left(), top + (rowHeight - track.height()) / 2, track.width(),
                         track.height());
        p.setPen(QPen(Ink, 0.25 * mm));
        p.setBrush(Slot);
        p.drawRect(bar);
        const bool number = !text.isEmpty() && (text.at(0).isDigit() || text.at(0) == u'-');
        if (number) {
            const qreal share = qBound<qreal>(0,
                                              (LeadingNumber(text) - subscale.lowest()) /
                                                  qreal(subscale.highest() - subscale.lowest()),
                                              1);
            const qreal w = bar.width() * share;
            p.fillRect(QRectF(bar.right() - w, bar.top(), w, bar.height()), Ink);
        }
        // Quarter marks, so that a share can be read at a glance.
        p.setPen(QPen(Accent, 0.2 * mm));
        for (int q = 1; q < 4; ++q) {
            const qreal x = bar.right() - bar.width() * q / 4;
            p.drawLine(QPointF(x, bar.bottom()), QPointF(x, bar.bottom() + 1.2 * mm));
        }

        QTextOption left(Qt::AlignLeft | Qt::AlignVCenter | Qt::AlignAbsolute);
        left.setTextDirection(Qt::LeftToRight);
        p.setFont(numberFont);
        p.setPen(Ink);
        const QString shown =
            (number ? text : QStringLiteral("-")) +
            QStringLiteral("  (%1-%2)").arg(subscale.lowest()).arg(subscale.highest());
        p.drawText(QRectF(r.left(), top, numberWidth, rowHeight), shown, left);
    }
}
} // namespace

QStringList DataR1::SubscaleSlots()
{
    // BPosetive, Conterlo, Etminan, neyaz, self.
    return {QStringLiteral("Label23"), QStringLiteral("Label25"), QStringLiteral("Label27"),
            QStringLiteral("Label24"), QStringLiteral("Label26")};
}

QString DataR1::TotalSlot()
{
    return QStringLiteral("Label28");
}

DataR1::DataR1() : ReportLayout(QStringLiteral("DataR1"), QPageLayout::Portrait, Width)
{
    using namespace ReportsText;
    const QFont font = ReportFont(QStringLiteral("B Nazanin"), 9.75, true);
    band(QStringLiteral("Section5"))->height = 1; // an empty thin band
    band(Detail)->height = Height;

    addPicture(Detail, QRectF(0, 0, Width, Height), PaintCard);
    addLabel(Detail, QStringLiteral("Label1"), QRectF(0, 12, Width, 14), SheetTitle(),
             ReportFont(QStringLiteral("Arabic Transparent"), 14.25, true));

    // Every caption has its slot on its left and stands against it, however short the caption:
    // set to the right of its box, "کل" would end up beside the neighbouring column's score.
    auto caption = [&](const QString &text, const QRectF &rect) {
        ReportItem &item =
            addLabel(Detail, QString(), rect, text, font, Qt::AlignLeft | Qt::AlignVCenter);
        item.color = Ink;
        item.wrap = true;
    };
    auto slot = [&](const QString &name, const QRectF &rect,
                    Qt::Alignment align = Qt::AlignCenter) {
        ReportItem &item = addLabel(Detail, name, rect, QString(), font, align);
        item.background = Slot;
        addRule(Detail, QRectF(rect.left(), rect.bottom(), rect.width(), 0), 0.3);
    };

    // First row, from the right: code, group, age, gender, marital status.
    const qreal rowTop = 31, rowHeight = 10, pairWidth = 33.2, captionWidth = 9.5;
    const QString firstRow[][2] = {{CodeCaption(), QStringLiteral("Label15")},
                                   {GroupCaption(), QStringLiteral("Label16")},
                                   {AgeCaption(), QStringLiteral("Label19")},
                                   {GenderCaption(), QStringLiteral("Label20")},
                                   {MaritalCaption(), QStringLiteral("Label21")}};
    for (int i = 0; i < 5; ++i) {
        const qreal right = Width - 12 - i * pairWidth;
        caption(firstRow[i][0], QRectF(right - captionWidth, rowTop, captionWidth, rowHeight));
        slot(firstRow[i][1],
             QRectF(right - pairWidth + 1.5, rowTop, pairWidth - captionWidth - 2.5, rowHeight));
    }
    // Second row: education, wide.
    caption(EducationCaption(), QRectF(Width - 12 - 20, 49, 20, rowHeight));
    slot(QStringLiteral("Label22"), QRectF(13.5, 49, Width - 12 - 20 - 15, rowHeight),
         Qt::AlignRight | Qt::AlignVCenter);

    // Scores in two columns, each caption with its slot on its left.
    const QString scores[][2] = {
        {ScoringKey::Subscales()[0].listCaption, QStringLiteral("Label23")},
        {ScoringKey::Subscales()[3].listCaption, QStringLiteral("Label24")},
        {SheetConterloCaption(), QStringLiteral("Label25")},
        {ScoringKey::Subscales()[4].listCaption, QStringLiteral("Label26")},
        {ScoringKey::Subscales()[2].listCaption, QStringLiteral("Label27")},
        {TotalCaption(), QStringLiteral("Label28")}};
    for (int i = 0; i < 6; ++i) {
        const qreal right = i % 2 == 0 ? Width - 12 : Width / 2 - 2;
        const qreal top = 68 + (i / 2) * 14;
        caption(scores[i][0], QRectF(right - 58, top, 58, 12));
        slot(scores[i][1], QRectF(right - 58 - 20, top + 1, 19, 10));
    }

    addPicture(Detail, QRectF(16, 118, Width - 32, 62), PaintProfile);

    // The clinic's address, two lines high, and the credit lines under it.
    caption(SheetAddressCaption(), QRectF(Width - 12 - 16, 188, 16, 16));
    ReportItem &address =
        addLabel(Detail, QStringLiteral("Label29"), QRectF(14, 188, Width - 12 - 16 - 16, 16),
                 QString(), font, Qt::AlignRight | Qt::AlignVCenter);
    address.background = Slot;
    address.wrap = true;
    const QFont small = ReportFont(QStringLiteral("B Nazanin"), 8, false);
    addLabel(Detail, QStringLiteral("Label5"), QRectF(0, 214, Width, 6), CreditLine(), small)
        .color = Ink;
    addLabel(Detail, QStringLiteral("Label14"), QRectF(0, 220, Width, 6), ShopLine(), small).color =
        Ink;
}

DataR1 &DataR1::Report()
{
    // Never destroyed: it lives as long as the program.
    static DataR1 *report = new DataR1;
    return *report;
}
