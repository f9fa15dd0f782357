#version 120
// One direction of a 9-tap Gaussian blur, in five bilinear taps placed
// between texel pairs. direction is (1, 0) for horizontal, (0, 1) for vertical.
uniform sampler2D source;
uniform vec4 texel;
uniform vec2 direction;
varying vec2 uv;

void main()
{
    vec2 d = direction * texel.xy;
    vec3 c = texture2D(source, uv).rgb * 0.2270270;
    c += (texture2D(source, uv + d * 1.3846154).rgb + texture2D(source, uv - d * 1.3846154).rgb) * 0.3162162;
    c += (texture2D(source, uv + d * 3.2307692).rgb + texture2D(source, uv - d * 3.2307692).rgb) * 0.0702703;
    gl_FragColor = vec4(c, 1.0);
}
