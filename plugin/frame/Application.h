#pragma once

// What the plug-in does when the host loads and unloads it.

// Message 1: unlocks the application so it may be unloaded, declares it
// usable with several drawings, then runs the load routine.
void InitApplication(void* appId);

// The load routine: registers the command table and ensures the text style
// "Tarvowy" in the working drawing. Failures are not reported.
void LoadApplication();

// Message 2: removes the command group.
void UnloadApplication();
