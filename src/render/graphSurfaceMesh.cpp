#include "render/graphSurfaceMesh.h"

graphSurfaceMesh::graphSurfaceMesh()
    : fNormals{std::make_unique<slVector[]>(maxPoints), std::make_unique<slVector[]>(maxPoints)},
      vNormals(std::make_unique<slVector[]>(maxPoints)) {}
