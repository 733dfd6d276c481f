// The exported special members of ISceneNode, so host classes that implement the
// interface construct and copy it through the library.
#include "ISceneNode.h"

ISceneNode::ISceneNode() {}

ISceneNode::ISceneNode(const ISceneNode&) : ICoreUnknown() {}

ISceneNode& ISceneNode::operator=(const ISceneNode&)
{
    return *this;
}
