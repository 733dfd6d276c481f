// The resources a Windows build of the demo would link into its executable: the
// accelerator table the frame loop translates keys with and the device-settings dialog
// that F2 opens. Linux executables carry no resources, so the host registers them.
#pragma once

// Registers the accelerator table (id 113) and the device-settings dialog (id 144) for the
// executable module. False when the platform refused either.
bool RegisterFrameworkResources();
