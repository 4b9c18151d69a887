#include "render/graphSurfaceMesh.h"

graphSurfaceMesh::graphSurfaceMesh()
    : fNormals{std::make_unique<slVector[]>(maxPoints), std::make_unique<slVector[]>(maxPoints)},
      vNormals(std::make_unique<slVector[]>(maxPoints)) {}

void graphSurfaceMesh::setMaterial(graphDraw &draw, const float color[4]) {
    const float specular[4] = {0.12f, 0.12f, 0.12f, 1.0f};
    const float shininess[4] = {8.0f, 0.0f, 0.0f, 0.0f};
    draw.material(graphMaterial::ambient, color);
    draw.material(graphMaterial::diffuse, color);
    draw.material(graphMaterial::specular, specular);
    draw.material(graphMaterial::shininess, shininess);
    draw.color(color[0], color[1], color[2], 1.0f);
}
