#version 120

// GUI quads: the skin or font texture on unit 0, tinted by the vertex colour
// (text colour and widget alpha).

uniform sampler2D guiTexture;

varying vec2 texCoord;
varying vec4 tint;

void main()
{
    gl_FragColor = texture2D(guiTexture, texCoord) * tint;
}
