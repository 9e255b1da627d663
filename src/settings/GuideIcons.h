#pragma once

#include <QList>
#include <QPixmap>

// The guide list's two 16 x 16 icons: image 0 marks a topic (an entry at level 0), image 1 an
// entry under a topic.
namespace GuideIcons {

enum : int { kTopic = 0, kDetail = 1 };

QList<QPixmap> Make();

} // namespace GuideIcons
