// The generated meshes must fit the physics shapes the objects give their
// bodies, light correctly and name materials the scripts define; the scripts
// must parse and define every material the game and the levels ask for.

#include "game_meshes.h"
#include "game_textures.h"
#include "headless_ogre.h"
#include "level/look_materials.h"
#include "objects/colour_table.h"
#include "support/log_capture.h"

#include <OgreBitwise.h>
#include <OgreCompositorManager.h>
#include <OgreImage.h>
#include <OgreMaterialManager.h>
#include <OgreMesh.h>
#include <OgreMeshManager.h>
#include <OgreResourceGroupManager.h>
#include <OgreRoot.h>
#include <OgreSubMesh.h>
#include <OgreTechnique.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const char* const media_group = "QuillaxMediaTest";

struct triangle_mesh {
    std::vector<Ogre::Vector3> positions;
    std::vector<Ogre::Vector3> normals;
    std::vector<std::uint16_t> indices;
};

triangle_mesh read_back(const Ogre::MeshPtr& mesh, unsigned short submesh = 0)
{
    triangle_mesh out;
    const Ogre::SubMesh* sub = mesh->getSubMesh(submesh);
    const Ogre::VertexData* data = sub->vertexData;
    const auto* pos = data->vertexDeclaration->findElementBySemantic(Ogre::VES_POSITION);
    const auto* nrm = data->vertexDeclaration->findElementBySemantic(Ogre::VES_NORMAL);
    auto buffer = data->vertexBufferBinding->getBuffer(pos->getSource());
    Ogre::HardwareBufferLockGuard lock(buffer, Ogre::HardwareBuffer::HBL_READ_ONLY);
    const auto* base = static_cast<const unsigned char*>(lock.pData);
    for (std::size_t i = 0; i < data->vertexCount; ++i) {
        const unsigned char* vertex = base + i * buffer->getVertexSize();
        float* p;
        float* n;
        pos->baseVertexPointerToElement(const_cast<unsigned char*>(vertex), &p);
        nrm->baseVertexPointerToElement(const_cast<unsigned char*>(vertex), &n);
        out.positions.emplace_back(p[0], p[1], p[2]);
        out.normals.emplace_back(n[0], n[1], n[2]);
    }
    auto index_buffer = sub->indexData->indexBuffer;
    EXPECT_EQ(index_buffer->getType(), Ogre::HardwareIndexBuffer::IT_16BIT);
    Ogre::HardwareBufferLockGuard index_lock(index_buffer, Ogre::HardwareBuffer::HBL_READ_ONLY);
    const auto* indices = static_cast<const std::uint16_t*>(index_lock.pData);
    out.indices.assign(indices + sub->indexData->indexStart,
                       indices + sub->indexData->indexStart + sub->indexData->indexCount);
    return out;
}

void expect_near(const Ogre::Vector3& actual, const Ogre::Vector3& expected, const std::string& what)
{
    EXPECT_NEAR(actual.x, expected.x, 0.01f) << what;
    EXPECT_NEAR(actual.y, expected.y, 0.01f) << what;
    EXPECT_NEAR(actual.z, expected.z, 0.01f) << what;
}

// Every part of every mesh is convex, so a front face turns away from the
// part's centre; a clockwise triangle would be culled and lit from behind.
void expect_outward_faces(const triangle_mesh& mesh, const std::string& name)
{
    ASSERT_EQ(mesh.indices.size() % 3, 0u) << name;
    ASSERT_FALSE(mesh.indices.empty()) << name;
    for (const Ogre::Vector3& n : mesh.normals)
        EXPECT_NEAR(n.length(), 1.0f, 1e-4f) << name;
    Ogre::AxisAlignedBox box;
    for (const Ogre::Vector3& p : mesh.positions)
        box.merge(p);
    const Ogre::Vector3 centre = box.getCenter();
    int inward = 0, against_normals = 0;
    for (std::size_t i = 0; i < mesh.indices.size(); i += 3) {
        const Ogre::Vector3& a = mesh.positions[mesh.indices[i]];
        const Ogre::Vector3& b = mesh.positions[mesh.indices[i + 1]];
        const Ogre::Vector3& c = mesh.positions[mesh.indices[i + 2]];
        const Ogre::Vector3 face = (b - a).crossProduct(c - a);
        ASSERT_GT(face.length(), 1e-6f) << name << " has a degenerate triangle";
        if (face.dotProduct((a + b + c) / 3 - centre) <= 0)
            ++inward;
        if (face.dotProduct(mesh.normals[mesh.indices[i]]) <= 0)
            ++against_normals;
    }
    EXPECT_EQ(inward, 0) << name;
    EXPECT_EQ(against_normals, 0) << name;
}

// One generator run into a private folder for the whole suite; each test
// then loads from it through its own headless OGRE.
class generated_media : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = std::filesystem::temp_directory_path() /
                 ("quillax_media_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        headless_ogre ogre;
        write_game_meshes(folder.string());
        write_game_textures(folder.string());
    }

    static void TearDownTestSuite() { std::filesystem::remove_all(folder); }

    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::is_directory(QUILLAX_MATERIALS_DIR)) << QUILLAX_MATERIALS_DIR;
        log = std::make_unique<log_capture>();
        ogre = std::make_unique<headless_ogre>();
        auto& groups = Ogre::ResourceGroupManager::getSingleton();
        groups.addResourceLocation(folder.string(), "FileSystem", media_group);
        groups.addResourceLocation(QUILLAX_MATERIALS_DIR, "FileSystem", media_group);
        groups.initialiseResourceGroup(media_group);
    }

    void TearDown() override
    {
        ogre.reset();
        log.reset();
    }

    Ogre::MeshPtr load(const std::string& name)
    {
        return Ogre::MeshManager::getSingleton().load(name, media_group);
    }

    static std::filesystem::path folder;
    // The log outlives OGRE, which writes to it while shutting down.
    std::unique_ptr<log_capture> log;
    std::unique_ptr<headless_ogre> ogre;
};

std::filesystem::path generated_media::folder;

}

TEST_F(generated_media, each_mesh_spans_its_physics_shape)
{
    struct extent {
        Ogre::Vector3 min, max;
    };
    const std::map<std::string, extent> expected = {
        {"player.mesh", {{-4, -4, -4}, {4, 4, 4}}},
        {"block_10_10.mesh", {{-5, -1, -5}, {5, 1, 5}}},
        {"block_2_2.mesh", {{-10, -1, -10}, {10, 1, 10}}},
        {"start.mesh", {{-5, -0.5f, -5}, {5, 0.5f, 5}}},
        {"finish_pad.mesh", {{-6, -0.5f, -6}, {6, 0.5f, 6}}},
        {"ground.mesh", {{-500, -0.25f, -500}, {500, 0.25f, 500}}},
        {"door.mesh", {{-0.25f, -7.5f, -5}, {0.25f, 7.5f, 5}}},
        {"door_open.mesh", {{-0.25f, 9.75f, -5}, {0.25f, 10.25f, 5}}},
        {"switch.mesh", {{-0.25f, -5, -5}, {0.25f, 5, 5}}},
        {"score.mesh", {{-2.5f, -2.5f, -1}, {2.5f, 2.5f, 1}}},
        {"infobox.mesh", {{-2.5f, -2.5f, -2.5f}, {2.5f, 2.5f, 2.5f}}},
    };
    // finish.mesh and checkpoint.mesh, pads with their flags, are drawn only:
    // their own tests follow.
    ASSERT_EQ(game_mesh_names().size(), expected.size() + 2);
    for (const auto& [name, box] : expected) {
        const Ogre::MeshPtr mesh = load(name);
        // Culling uses the stored bounds, the physics hull the vertices: both must fit.
        expect_near(mesh->getBounds().getMinimum(), box.min, name + " bounds");
        expect_near(mesh->getBounds().getMaximum(), box.max, name + " bounds");
        Ogre::AxisAlignedBox vertices;
        for (const Ogre::Vector3& p : read_back(mesh).positions)
            vertices.merge(p);
        expect_near(vertices.getMinimum(), box.min, name + " vertices");
        expect_near(vertices.getMaximum(), box.max, name + " vertices");
    }
}

TEST_F(generated_media, the_goal_is_its_pad_with_a_chequered_flag_standing_on_it)
{
    const Ogre::MeshPtr goal = load("finish.mesh");
    ASSERT_EQ(goal->getNumSubMeshes(), 3u);
    // The pad is drawn from the very vertices the target's body is made of.
    EXPECT_EQ(read_back(goal, 0).positions, read_back(load("finish_pad.mesh")).positions);
    EXPECT_EQ(goal->getSubMesh(0)->getMaterialName(), "finish");

    const auto bounds = [&](unsigned short part) {
        Ogre::AxisAlignedBox box;
        for (const Ogre::Vector3& p : read_back(goal, part).positions)
            box.merge(p);
        return box;
    };
    const float pad_top = 0.5f;
    const Ogre::AxisAlignedBox pole = bounds(1), cloth = bounds(2);
    EXPECT_EQ(goal->getSubMesh(2)->getMaterialName(), "finish_flag");
    // A pole stands on the pad, taller than the ball (8 across)...
    EXPECT_NEAR(pole.getMinimum().y, pad_top, 0.01f);
    EXPECT_GT(pole.getMaximum().y, pad_top + 10);
    EXPECT_LT(pole.getSize().x, 1.0f);
    EXPECT_LE(pole.getMaximum().y, goal->getBounds().getMaximum().y);
    // ...and a cloth hangs from its top, wider than tall, beside it.
    EXPECT_GT(cloth.getMinimum().y, pad_top + 5);
    EXPECT_LE(cloth.getMaximum().y, pole.getMaximum().y);
    EXPECT_NEAR(cloth.getMinimum().x, pole.getMaximum().x, 0.01f);
    EXPECT_GT(cloth.getSize().x, cloth.getSize().y);
    EXPECT_GT(cloth.getSize().y, 4.0f);
}

TEST_F(generated_media, a_checkpoint_is_the_start_pad_with_a_flag_clear_of_the_ball_on_it)
{
    const Ogre::MeshPtr checkpoint = load("checkpoint.mesh");
    ASSERT_EQ(checkpoint->getNumSubMeshes(), 3u);
    // The pad is drawn from the very vertices the checkpoint's body is made of.
    EXPECT_EQ(read_back(checkpoint, 0).positions, read_back(load("start.mesh")).positions);
    EXPECT_EQ(checkpoint->getSubMesh(0)->getMaterialName(), "checkpoint");
    EXPECT_EQ(checkpoint->getSubMesh(1)->getMaterialName(), "checkpoint_pole");
    EXPECT_EQ(checkpoint->getSubMesh(2)->getMaterialName(), "checkpoint_flag");

    const float pad_top = 0.5f, ball_radius = 4;
    Ogre::AxisAlignedBox flag;
    for (unsigned short part : {1, 2})
        for (const Ogre::Vector3& p : read_back(checkpoint, part).positions) {
            flag.merge(p);
            // The ball comes back to the middle of the pad.
            EXPECT_GT(Ogre::Vector2(p.x, p.z).length(), ball_radius) << "part " << part << " at " << p;
        }
    // It stands on the pad and over the ball.
    EXPECT_NEAR(flag.getMinimum().y, pad_top, 0.01f);
    EXPECT_GT(flag.getMaximum().y, pad_top + 2 * ball_radius);
}

TEST_F(generated_media, the_ball_is_round_with_radius_four)
{
    const triangle_mesh ball = read_back(load("player.mesh"));
    ASSERT_GT(ball.positions.size(), 400u);
    for (std::size_t i = 0; i < ball.positions.size(); ++i) {
        EXPECT_NEAR(ball.positions[i].length(), 4.0f, 0.01f);
        // Smooth shading: the normal points straight out from the centre.
        EXPECT_GT(ball.normals[i].dotProduct(ball.positions[i].normalisedCopy()), 0.999f);
    }
}

TEST_F(generated_media, every_face_points_out_and_has_unit_normals)
{
    for (const std::string& mesh_name : game_mesh_names()) {
        const Ogre::MeshPtr loaded = load(mesh_name);
        for (unsigned short part = 0; part < loaded->getNumSubMeshes(); ++part)
            expect_outward_faces(read_back(loaded, part), mesh_name + " part " + std::to_string(part));
    }
}

TEST_F(generated_media, scripts_define_every_material_the_game_uses)
{
    const char* names[] = {
        "block", "block_dest", "block_speed", "teleporter", "red_bars", "red_bars_pressed",
        "blue_bars", "blue_bars_pressed", "green_bars", "green_bars_pressed", "white_bars",
        "white_bars_pressed", "score_blue", "level_back", "player", "start", "finish", "ground",
        "score", "door", "infobox", "platform", "checkpoint", "checkpoint_reached", "checkpoint_newest"};
    auto& materials = Ogre::MaterialManager::getSingleton();
    for (const char* name : names)
        EXPECT_TRUE(materials.resourceExists(name, media_group)) << name;
    EXPECT_TRUE(Ogre::CompositorManager::getSingleton().resourceExists("Bloom", media_group));
}

TEST_F(generated_media, every_script_parses_without_a_complaint)
{
    for (const std::string& line : log->lines) {
        std::string lower = line;
        Ogre::StringUtil::toLowerCase(lower);
        EXPECT_EQ(lower.find("error"), std::string::npos) << line;
        EXPECT_EQ(lower.find("warning"), std::string::npos) << line;
    }
}

TEST_F(generated_media, each_mesh_names_a_scripted_material)
{
    auto& materials = Ogre::MaterialManager::getSingleton();
    for (const std::string& name : game_mesh_names())
        for (const Ogre::SubMesh* part : load(name)->getSubMeshes()) {
            const std::string& material = part->getMaterialName();
            EXPECT_TRUE(materials.resourceExists(material, media_group))
                << name << " names '" << material << "'";
        }
}

TEST_F(generated_media, every_texture_a_material_names_is_generated)
{
    const std::vector<std::string> generated = game_texture_names();
    int checked = 0;
    auto it = Ogre::MaterialManager::getSingleton().getResourceIterator();
    while (it.hasMoreElements()) {
        const auto material = Ogre::static_pointer_cast<Ogre::Material>(it.getNext());
        if (material->getGroup() != media_group)
            continue;
        for (const Ogre::Technique* technique : material->getTechniques())
            for (const Ogre::Pass* pass : technique->getPasses())
                for (const Ogre::TextureUnitState* unit : pass->getTextureUnitStates()) {
                    // The compositor binds its own render targets to unnamed units.
                    const std::string& texture = unit->getTextureName();
                    if (texture.empty())
                        continue;
                    ++checked;
                    EXPECT_TRUE(std::filesystem::exists(folder / texture))
                        << material->getName() << " uses " << texture;
                }
    }
    EXPECT_GE(checked, 20);
}

TEST_F(generated_media, each_campaign_look_dresses_blocks_and_ground_in_its_own_generated_pictures)
{
    std::set<std::string> blocks, grounds;
    for (const char* look : {"meadow", "foundry", "glacier", "sandstone"}) {
        look_materials::apply(look);
        const std::string block = look_materials::texture_of("block");
        const std::string ground = look_materials::texture_of("ground");
        EXPECT_TRUE(std::filesystem::exists(folder / block)) << look << ": " << block;
        EXPECT_TRUE(std::filesystem::exists(folder / ground)) << look << ": " << ground;
        blocks.insert(block);
        grounds.insert(ground);
    }
    EXPECT_EQ(blocks.size(), 4u);
    EXPECT_EQ(grounds.size(), 4u);
    // A look the game does not know, and the next level of the first campaign, wear the meadow again.
    look_materials::apply("lava");
    EXPECT_EQ(look_materials::texture_of("block"), "block.png");
    EXPECT_EQ(look_materials::texture_of("ground"), "ground.png");
}

// The textures read back through the codec the game loads them with.
class generated_images : public generated_media {
protected:
    // The middle of a door or switch as a player who sees no colour sees it:
    // the material's tint on its texture, in greyscale, split at the grey
    // half-way between its darkest and lightest pixel.
    std::vector<bool> emblem_mask(const std::string& material_name)
    {
        const auto material = Ogre::MaterialManager::getSingleton().getByName(material_name, media_group);
        const Ogre::Pass* pass = material->getTechnique(0)->getPass(0);
        Ogre::Image image;
        image.load(pass->getTextureUnitState(0)->getTextureName(), media_group);
        std::vector<float> grey;
        for (std::size_t y = image.getHeight() / 5; y < image.getHeight() * 4 / 5; ++y)
            for (std::size_t x = image.getWidth() / 5; x < image.getWidth() * 4 / 5; ++x) {
                const Ogre::ColourValue c = image.getColourAt(x, y, 0) * pass->getDiffuse();
                grey.push_back(0.3f * c.r + 0.59f * c.g + 0.11f * c.b);
            }
        const auto [darkest, lightest] = std::minmax_element(grey.begin(), grey.end());
        const float half_way = (*darkest + *lightest) / 2;
        std::vector<bool> mask;
        for (float g : grey)
            mask.push_back(g > half_way);
        return mask;
    }

    // Of the pixels light in either mask, the share light in only one.
    static float share_differing(const std::vector<bool>& a, const std::vector<bool>& b)
    {
        int differing = 0, light = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            differing += a[i] != b[i];
            light += a[i] || b[i];
        }
        return float(differing) / float(light);
    }

    static constexpr const char* door_colours[] = {"red", "blue", "green", "white"};

    void SetUp() override
    {
#ifdef __SANITIZE_ADDRESS__
        // Debian's Codec_STBI hands stb's malloc'ed pixels to Ogre::Image,
        // which frees them with delete[]: AddressSanitizer stops at that.
        GTEST_SKIP() << "OGRE's image codec mismatches allocators under AddressSanitizer";
#endif
        generated_media::SetUp();
        Ogre::Root::getSingleton().loadPlugin(std::string(QUILLAX_OGRE_PLUGIN_DIR) + "/Codec_STBI");
    }
};

TEST_F(generated_images, the_image_codec_reads_every_texture)
{
    for (const std::string& name : game_texture_names()) {
        Ogre::Image image;
        ASSERT_NO_THROW(image.load(name, media_group)) << name;
        EXPECT_GE(image.getWidth(), 64u) << name;
        EXPECT_TRUE(Ogre::Bitwise::isPO2(image.getWidth()) && Ogre::Bitwise::isPO2(image.getHeight()))
            << name << " should be a power of two for old GL drivers";
        EXPECT_TRUE(image.getHasAlpha()) << name;
    }
}

TEST_F(generated_images, the_banner_is_dark_and_fades_out_at_its_edges)
{
    Ogre::Image banner;
    banner.load("level_back.png", media_group);
    const Ogre::ColourValue middle = banner.getColourAt(banner.getWidth() / 2, banner.getHeight() / 2, 0);
    const Ogre::ColourValue corner = banner.getColourAt(0, 0, 0);
    EXPECT_GT(middle.a, 0.5f);
    EXPECT_LT(middle.a, 0.9f) << "the level must show through";
    EXPECT_LT(middle.r + middle.g + middle.b, 0.5f);
    EXPECT_LT(corner.a, 0.05f);
}

TEST_F(generated_images, each_door_colour_shows_its_own_shape_in_greyscale)
{
    std::vector<std::vector<bool>> masks;
    for (const char* name : door_colours)
        masks.push_back(emblem_mask(colour_from_name(name).bars_material));
    for (std::size_t a = 0; a < masks.size(); ++a)
        for (std::size_t b = a + 1; b < masks.size(); ++b)
            EXPECT_GT(share_differing(masks[a], masks[b]), 0.1f)
                << door_colours[a] << " and " << door_colours[b] << " look alike";
}

TEST_F(generated_images, a_checkpoint_is_grey_until_reached_and_then_lit_in_colour)
{
    // Mean chroma (largest channel less smallest) and brightness over the pad's disc.
    const auto measure = [](const std::string& texture) {
        Ogre::Image image;
        image.load(texture, media_group);
        float chroma = 0, brightness = 0;
        int count = 0;
        for (std::size_t y = 0; y < image.getHeight(); ++y)
            for (std::size_t x = 0; x < image.getWidth(); ++x) {
                const float u = (x + 0.5f) / image.getWidth() - 0.5f, v = (y + 0.5f) / image.getHeight() - 0.5f;
                if (std::hypot(u, v) > 0.45f)
                    continue;
                const Ogre::ColourValue c = image.getColourAt(x, y, 0);
                chroma += std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
                brightness += (c.r + c.g + c.b) / 3;
                ++count;
            }
        return std::make_pair(chroma / count, brightness / count);
    };
    const auto [grey, dim] = measure("checkpoint.png");
    const auto [coloured, lit] = measure("checkpoint_reached.png");
    EXPECT_LT(grey, 0.05f);
    EXPECT_GT(coloured, 0.3f);
    EXPECT_GT(lit, dim + 0.05f);
}

TEST_F(generated_images, a_pressed_switch_keeps_the_shape_of_its_door)
{
    for (const char* name : door_colours) {
        const door_colour colour = colour_from_name(name);
        const std::vector<bool> up = emblem_mask(colour.bars_material);
        EXPECT_LT(share_differing(up, emblem_mask(colour.pressed_material)), 0.01f) << name;
    }
}
