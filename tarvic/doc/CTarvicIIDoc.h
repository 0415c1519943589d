// CTarvicIIDoc: the central station's document. It holds nothing: the station's data is its
// beds, which the view keeps, and what it stores goes to the database and the recording files.
#pragma once

#include "platform/ui/framework/Document.h"

class CTarvicIIDoc : public CDocument
{
public:
    BOOL OnNewDocument() override { return CDocument::OnNewDocument(); }
};
