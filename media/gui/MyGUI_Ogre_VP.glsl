#version 120

// GUI quads: MyGUI's OGRE platform loads this file by name and sets
// worldViewProj; OGRE binds the vertex streams by the names vertex, colour, uv0.

uniform mat4 worldViewProj;

attribute vec4 vertex;
attribute vec4 colour;
attribute vec2 uv0;

varying vec2 texCoord;
varying vec4 tint;

void main()
{
    gl_Position = worldViewProj * vertex;
    texCoord = uv0;
    tint = colour;
}
