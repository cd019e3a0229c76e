#pragma once

namespace maporv {

struct SceneWorld;
class MapPicture;

// Paints a scene's picture in its style, lined up with the full-size hex grid, so that
// its roads, rivers, coast and towns lie where the world's hex data says. Begins the
// picture, so its pixels land in the shared picture buffer.
void paintScene(const SceneWorld& world, MapPicture& picture);

} // namespace maporv
