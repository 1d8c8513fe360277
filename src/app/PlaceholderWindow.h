#pragma once

#include <QWidget>

// The program's window until the main window takes its place: shows that the database opened.
class PlaceholderWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PlaceholderWindow(QWidget *parent = nullptr);
};
