#pragma once

#include <QDialog>
#include <QPixmap>
#include <QSplashScreen>

// The About box: the product name, "Version 3.0" and an "OK" button.
class TAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TAbout(QWidget *parent = nullptr);
};

// The picture of the splash window and of the About box.
QPixmap korvelPicture(const QSize &size);

// The splash window shown while the program starts: borderless, centred on the screen.
class TSplash : public QSplashScreen
{
    Q_OBJECT
public:
    TSplash();
};
