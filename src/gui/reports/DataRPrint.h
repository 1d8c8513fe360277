#pragma once

#include "reports/ReportLayout.h"

// The results list: one line per subject of the data source, thirteen columns right to left,
// headed by the clinic's name and closed by its address. Landscape A4, so that all columns fit.
class DataRPrint : public ReportLayout
{
public:
    // The row counter behind the box Text1: the number of the line being formatted.
    class RowCounter : public DataFormat
    {
    public:
        void reset() override { m_counter = 0; }
        QString format(const QString &) override { return QString::number(++m_counter); }
        qint32 counter() const { return m_counter; }

    private:
        qint32 m_counter = 0;
    };

    DataRPrint();

    // The program's one results list, created on first use and kept for the run: captions set by
    // one print stay for the next.
    static DataRPrint &Report();

    const RowCounter &rowCounter() const { return *myf; }

private:
    std::shared_ptr<RowCounter> myf;
};
