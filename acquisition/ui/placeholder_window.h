// Temporary main window until the banner window lands.
#pragma once
#include <QMainWindow>

class PlaceholderWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PlaceholderWindow(QWidget* parent = nullptr);
};
