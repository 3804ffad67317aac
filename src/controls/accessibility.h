#pragma once

namespace lumora::controls {

// Tells assistive technology what the skinned controls are: the toolbar
// buttons, the pane's command buttons and the picture buttons of the title
// bar are buttons with their captions (or tool tips) as names, disabled when
// their command is; a result list is a list whose rows are its items, each
// named by its cells and marked selected. Text boxes are the platform's own,
// named by the window. Call once, after the application object exists.
void InstallAccessibility();

}  // namespace lumora::controls
