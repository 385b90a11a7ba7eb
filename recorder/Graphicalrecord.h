#pragma once
// The graphical recorder: stores readings and charts them page by page.

#include <QWidget>

namespace orvel {

class TGraphicalForm : public QWidget
{
    Q_OBJECT

public:
    explicit TGraphicalForm(QWidget *parent = nullptr);

    bool bBufferEmpty = true; ///< nothing stored since the last clear
    bool bUnsaved = false;    ///< the buffer holds data not yet saved to a file
};

extern TGraphicalForm *GraphicalForm;

} // namespace orvel
