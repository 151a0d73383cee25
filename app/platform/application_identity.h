#pragma once

// The program's name, desktop entry and icon, as the desktop shows them.
// No display name: Qt would append it to the title of every window.
void ApplyApplicationIdentity();
