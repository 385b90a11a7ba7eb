#pragma once
// The graph viewer: the whole recording in one chart, full screen.

#include <QDialog>

namespace orvel {

class TFormViewGraphic : public QDialog
{
    Q_OBJECT

public:
    explicit TFormViewGraphic(QWidget *parent = nullptr);
};

extern TFormViewGraphic *FormViewGraphic;

} // namespace orvel
