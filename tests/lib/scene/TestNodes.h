// Scene nodes for the engine tests: a plain node made the factory way, and a node that
// records the hooks it receives.
#pragma once

#include <string>
#include <vector>

#include "scene/SceneNode.h"

// A plain CSceneNode with one reference owned by the caller, as a node factory hands it out.
inline ISceneNode* NewNode(const char* name)
{
    ISceneNode* node = new CSceneNode();
    node->AddRef();
    node->SetName(name);
    return node;
}

// Appends "<hook>:<name>" to a shared log; Update and Render return the configured result.
class CRecordingNode : public CSceneNode {
public:
    CRecordingNode(const char* nodeName, std::vector<std::string>* log) : log(log)
    {
        AddRef();
        SetName(nodeName);
    }

    HRESULT Update(float) override
    {
        log->push_back(std::string("update:") + GetName());
        return updateResult;
    }
    // Also notes the world transform's x translation and the depth-write state it draws with.
    HRESULT Render(IScene* scene) override
    {
        log->push_back(std::string("render:") + GetName());
        if (scene != nullptr && scene->GetRenderStateManager() != nullptr) {
            worldX = scene->GetRenderStateManager()->GetWorldMatrix()->_41;
            scene->GetDevice()->GetRenderState(D3DRS_ZWRITEENABLE, &zWrite);
        }
        return renderResult;
    }
    HRESULT InvalidateDeviceObjects(IScene*) override
    {
        log->push_back(std::string("invalidate:") + GetName());
        return S_OK;
    }
    HRESULT RestoreDeviceObjects(IScene*) override
    {
        log->push_back(std::string("restore:") + GetName());
        return S_OK;
    }

    HRESULT updateResult = S_OK;
    HRESULT renderResult = S_OK;
    float worldX = 0.0f;
    DWORD zWrite = 0;

private:
    std::vector<std::string>* log;
};
