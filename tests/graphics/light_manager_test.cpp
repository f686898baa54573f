// Lights and the light manager on a real GL context: the numbers handed out
// in list order up to GL_MAX_LIGHTS, the positions' w, the global ambient
// colour, and the graphics component's own manager.
#include <GL/glew.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <new>
#include <type_traits>

#include "directionallight.h"
#include "gltestsupport.h"
#include "lightmanager.h"
#include "pointlight.h"

namespace {

class LightManagerTest : public gltest::GlTest {
protected:
    void TearDown() override
    {
        GLint supported = 0;
        glGetIntegerv(GL_MAX_LIGHTS, &supported);
        for (GLint i = 0; i < supported; ++i)
            glDisable(GL_LIGHT0 + i);
    }
};

std::array<float, 4> LightPosition(int i)
{
    std::array<float, 4> p{};
    glGetLightfv(GL_LIGHT0 + i, GL_POSITION, p.data());
    return p;
}

TEST(LightSource, IsDeletedThroughItsInterface)
{
    EXPECT_TRUE(std::has_virtual_destructor_v<LightSource>);
}

TEST(PointLight, DefaultHasNoGlowModelAndUnitConstantAttenuation)
{
    alignas(PointLight) unsigned char storage[sizeof(PointLight)];
    std::memset(storage, 0xAB, sizeof storage);
    PointLight* light = new (storage) PointLight;
    EXPECT_EQ(light->glowModel, nullptr);
    EXPECT_EQ(light->constantAttenuation, 1.0f);
    EXPECT_EQ(light->linearAttenuation, 0.0f);
    light->RenderGlow(GL_TRIANGLES, nullptr);  // nothing to draw
    light->~PointLight();
}

TEST_F(LightManagerTest, EmptyManagerStillSetsGlobalAmbient)
{
    LightManager manager;
    manager.SetGlobalAmbient(0.25f, 0.5f, 0.75f, 1.0f);
    manager.Apply();
    float ambient[4] = {};
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(ambient[0], 0.25f);
    EXPECT_FLOAT_EQ(ambient[1], 0.5f);
    EXPECT_FLOAT_EQ(ambient[2], 0.75f);
}

TEST_F(LightManagerTest, NumbersFollowListOrderUpToTheGlLimit)
{
    GLint supported = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &supported);
    ASSERT_GE(supported, 8);
    LightManager manager;
    const Color c(1, 1, 1, 1);
    manager.AddDirectionalLight(Vec3(0, 1, 0), c, c, c);
    manager.AddPointLight(Vec3(0, 1, 0), 1, 0, 0, c, c, c, nullptr);
    for (GLint i = 2; i <= supported; ++i)
        manager.AddPointLight(Vec3(static_cast<float>(i), 0, 0), 1, 0, 0, c, c, c, nullptr);
    manager.Apply();
    for (GLint i = 0; i < supported; ++i)
        EXPECT_TRUE(glIsEnabled(GL_LIGHT0 + i)) << i;
    EXPECT_EQ(LightPosition(0), (std::array<float, 4>{0, 1, 0, 0}));
    EXPECT_EQ(LightPosition(1), (std::array<float, 4>{0, 1, 0, 1}));
    EXPECT_EQ(LightPosition(supported - 1)[0], static_cast<float>(supported - 1));

    // Removing the first light moves every later one down a number.
    manager.RemoveLight(manager.GetLights().front().get());
    manager.UpdatePositions();
    EXPECT_EQ(LightPosition(0), (std::array<float, 4>{0, 1, 0, 1}));
    manager.DisableAll();
    for (GLint i = 0; i < supported; ++i)
        EXPECT_FALSE(glIsEnabled(GL_LIGHT0 + i)) << i;
}

TEST_F(LightManagerTest, GraphicsComponentOwnsOne)
{
    GfxComponent* gfx = GfxComponent::GetInstance();
    ASSERT_NE(gfx->lights, nullptr);
    PointLight* light = gfx->lights->AddPointLight(Vec3(), 1, 0, 0, Color(), Color(), Color(), nullptr);
    ASSERT_NE(light, nullptr);
    gfx->lights->Clear();
    EXPECT_TRUE(gfx->lights->GetLights().empty());
}

}  // namespace
