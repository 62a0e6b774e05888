#pragma once

// The two 16x13 pictures of the chapter panel's toggle: a double chevron
// pointing right while the panel is shown, pointing left while it is hidden.

#include <QPixmap>

enum class PanelPictureKind { kPanelShown, kPanelHidden };

// The picture from the reading assets (pictures/panel_shown.png and
// pictures/panel_hidden.png under a file:// ReadingAssetBaseUrl); drawn here
// when the assets are not on this machine.
QPixmap PanelPicture(PanelPictureKind kind);
