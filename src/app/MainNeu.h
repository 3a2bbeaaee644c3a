#pragma once

#include "Main.h"

// The main window as the program shows it. The handlers that open the record editors and the
// payment-file dialog belong here; they come with those windows.
class TMainform1 : public TMainform
{
    Q_OBJECT
public:
    using TMainform::TMainform;
};
