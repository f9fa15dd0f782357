#include "look_materials.h"

#include "course_look.h"

#include <OgreMaterialManager.h>
#include <OgreTechnique.h>

namespace {

Ogre::TextureUnitState* first_texture(const std::string& material)
{
    if (!Ogre::MaterialManager::getSingletonPtr())
        return nullptr;
    Ogre::MaterialPtr found = Ogre::MaterialManager::getSingleton().getByName(material);
    if (!found || !found->getTechnique(0) || !found->getTechnique(0)->getPass(0))
        return nullptr;
    Ogre::Pass* pass = found->getTechnique(0)->getPass(0);
    return pass->getNumTextureUnitStates() > 0 ? pass->getTextureUnitState(0) : nullptr;
}

void set_texture(const std::string& material, const std::string& texture)
{
    if (Ogre::TextureUnitState* unit = first_texture(material))
        unit->setTextureName(texture);
}

}

void look_materials::apply(const std::string& look)
{
    set_texture("block", course_look::block_texture(look));
    set_texture("ground", course_look::ground_texture(look));
}

std::string look_materials::texture_of(const std::string& material)
{
    const Ogre::TextureUnitState* unit = first_texture(material);
    return unit ? unit->getTextureName() : std::string();
}
