#include "model/AccelEntry.h"

#include "model/Archive.h"

void AccelEntry::Serialize(Archive& ar) {
    if (ar.IsStoring())
        ar << cmd << fVirt << key;
    else
        ar >> cmd >> fVirt >> key;
}
