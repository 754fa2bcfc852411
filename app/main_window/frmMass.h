#pragma once

#include <QWidget>

// The main window.
class frmMass : public QWidget
{
    Q_OBJECT

public:
    explicit frmMass(QWidget* parent = nullptr);
};
