#include "model/CharFormat.h"

void CharFormat::SetFaceName(const QString& name) {
    szFaceName = name.left(kMaxFaceName);
}
