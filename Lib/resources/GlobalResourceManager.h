// The process-wide resource manager instance, for the engine's own use (the scene takes
// its reference here); hosts reach it through the exported functions of ResManager.h.
#pragma once

class CResourceManager;

// The global instance, or null when there is none. No reference is added.
CResourceManager* GetGlobalResourceManager();

// Called by a dying manager: if it is the global instance, there is none from now on.
void DetachGlobalResourceManager(const CResourceManager* dying);
