#pragma once

class QWidget;

namespace quartet {

// Moves a top-level window so that it stands centred on its screen.
void centerOnScreen(QWidget& window);

}  // namespace quartet
